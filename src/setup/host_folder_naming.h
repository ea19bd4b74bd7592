// How the Setup dialog's Check and Rule history name folders in their
// findings and summaries: by the names the host shows.
#pragma once

#include "platform/host.h"
#include "platform/strings.h"
#include "text/finding.h"

namespace tandrel {

// FoldersByDisplayName over the host's display names, the folders past the
// fifth counted with " and %s more".
FolderNaming FoldersAsTheHostShowsThem(Host& host, Strings& strings);

}  // namespace tandrel
