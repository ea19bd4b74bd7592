/* The values of the library's version resource, shared by the resource script
   and the code that shows them without it (the native test host). */
#ifndef TANDREL_RESOURCES_VERSION_H
#define TANDREL_RESOURCES_VERSION_H

#define TANDREL_FILE_VERSION 0, 1, 1, 0
#define TANDREL_VERSION_TEXT "0, 1, 1, 0"
#define TANDREL_PRODUCT_NAME "Tandrel plug-in"
#define TANDREL_COMPANY_NAME "Tandrel"
#define TANDREL_DESCRIPTION \
    "Plugin to easily enter filters for new addresses (host mail client, version 2)"
#define TANDREL_COPYRIGHT "Copyright (C) 2026 Tandrel"

#endif
