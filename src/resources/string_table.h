/* The library's string table: ids and texts, shared by the resource script
   and the C++ code (which formats them with FormatText). Kept to plain C
   macros because the resource compiler reads this file too. */
#ifndef TANDREL_RESOURCES_STRING_TABLE_H
#define TANDREL_RESOURCES_STRING_TABLE_H

/* One literal a text, as the resource compiler wants it. */
/* clang-format off */

#define IDS_PLACE_END_OF_FOLDER 1
#define IDS_PLACE_TOP_OF_FOLDER 2
#define IDS_PLACE_NEW_BLOCK_LAST 3
#define IDS_PLACE_NEW_BLOCK_FIRST 4
#define IDS_VERSION_PREFIX 10
#define IDS_TITLE_RECEIVED 13
#define IDS_TITLE_SENT 14
#define IDS_PLUGIN_INFO 15
#define IDS_DUPLICATE_ADDRESS 101
#define IDS_NO_SUBFOLDER_NAME 102
#define IDS_SUBFOLDER_EXISTS 103
#define IDS_TRASH_SUBFOLDER 104
#define IDS_DUPLICATE_GROUP 105
#define IDS_GROUP_MISSING 106
#define IDS_ADDRESS_NOT_WRITTEN 107
#define IDS_GROUP_NOT_WRITTEN 108
#define IDS_INVALID_GROUP_NAME 109
#define IDS_NO_ADDRESS 110
#define IDS_BAD_HEADER_NAME 111
#define IDS_BAD_SUBFOLDER_NAME 112
#define IDS_RULES_NOT_WRITTEN 113
#define IDS_SETTINGS_NOT_WRITTEN 114
#define IDS_FOLDER_SETTINGS_NOT_WRITTEN 115
#define IDS_RULE_LINE_TOO_LONG 116
#define IDS_ENTRY_LINE_TOO_LONG 117
#define IDS_RULES_BUSY 118
#define IDS_GROUP_BUSY 119
#define IDS_RULES_READ_ONLY 120
#define IDS_RULES_LONG_LINES 121
#define IDS_RULES_BACKUP_IN_THE_WAY 123
#define IDS_GROUP_IS_LINK 124
#define IDS_RESERVED_GROUP_NAME 125
#define IDS_INDEX_ENDS_EARLY 126
#define IDS_RULES_NOT_READ 127
#define IDS_RULES_NO_VERSION 128
#define IDS_RULES_REFUSED_TEXT 129
#define IDS_RUN_CURRENT 201
#define IDS_RUN_INBOX 202
#define IDS_RUN_SENT 203
#define IDS_SORTED_INTO_ALREADY 204
#define IDS_SORTED_INTO_MOVES_FROM 205
#define IDS_SORTED_INTO_THIS_FOLDER 206
#define IDS_SORTED_INTO_RECEIVED 207
#define IDS_SORTED_INTO_SENT 208
#define IDS_SORTED_INTO_UNREADABLE 209
#define IDS_HISTORY_RECEIVED_RULES 210
#define IDS_HISTORY_SENT_RULES 211
#define IDS_HISTORY_PUT_BACK 212
#define IDS_HISTORY_RECEIVED_NAME 213
#define IDS_HISTORY_SENT_NAME 214
#define IDS_HISTORY_NONE 215
#define IDS_CHECK_NOTHING 216
#define IDS_CHECK_UNREADABLE 217
#define IDS_SORTED_INTO_MORE 218
#define IDS_CHECK_MORE 219
#define IDS_CHECK_IN_FILE 220
#define IDS_FOUND_DROPPED_OUTSIDE 221
#define IDS_FOUND_DROPPED_IN_BAD_BLOCK 222
#define IDS_FOUND_DROPPED_NO_SETTING 223
#define IDS_FOUND_DROPPED_BAD_BLOCK 224
#define IDS_FOUND_DROPPED_BAD_ACTION 225
#define IDS_FOUND_DROPPED_BAD_CONDITION 226
#define IDS_FOUND_DROPPED_NO_ACTION 227
#define IDS_FOUND_LONG_LINE 228
#define IDS_FOUND_CTRL_Z 229
#define IDS_FOUND_SEVERAL_FOLDERS 230
#define IDS_FOUND_REPEATED 231
#define IDS_FOUND_NO_TARGET 232
#define IDS_BOOK_IN_GROUP 233
#define IDS_BOOK_INDEX_UNREADABLE 234
#define IDS_BOOK_CTRL_Z 235
#define IDS_BOOK_LONG_LINE 236
#define IDS_BOOK_NO_CARD_NAME 237
#define IDS_BOOK_CARD_MISSING 238
#define IDS_BOOK_CARD_UNREADABLE 239
#define IDS_BOOK_NO_BLOCK 240
#define IDS_BOOK_SEQUENCE_NO_NUMBER 241
#define IDS_BOOK_SEQUENCE_NOT_RISING 242
#define IDS_BOOK_REPEATED 243
#define IDS_BOOK_UNNAMED_FILE 244
#define IDS_BOOK_FOLDER_UNLISTED 245
#define IDS_BOOK_UNLISTED 246
#define IDS_CHANGE_SEPARATOR 247
#define IDS_CHANGE_OUTSIDE 248
#define IDS_CHANGE_ADDED 249
#define IDS_CHANGE_ADDED_TIMES 250
#define IDS_CHANGE_ADDED_X 251
#define IDS_CHANGE_ADDED_X_TIMES 252
#define IDS_CHANGE_REMOVED 253
#define IDS_CHANGE_REMOVED_TIMES 254
#define IDS_CHANGE_REMOVED_X 255
#define IDS_CHANGE_REMOVED_X_TIMES 256
#define IDS_CHANGE_BLOCK_ADDED 257
#define IDS_CHANGE_BLOCK_ADDED_TIMES 258
#define IDS_CHANGE_BLOCK_REMOVED 259
#define IDS_CHANGE_BLOCK_REMOVED_TIMES 260
#define IDS_CHANGE_MORE 261
#define IDS_CHANGE_NONE 262
#define IDS_CHANGE_LAYOUT 263
#define IDS_HISTORY_UNREADABLE 264
#define IDS_MATCHES_SO_FAR 265
#define IDS_MATCHES_DONE 266

#define TEXT_PLACE_END_OF_FOLDER "Add condition to the END of existing folder"
#define TEXT_PLACE_TOP_OF_FOLDER "Add condition to the TOP of existing folder"
#define TEXT_PLACE_NEW_BLOCK_LAST "Create new folder condition to the END of all"
#define TEXT_PLACE_NEW_BLOCK_FIRST "Create new folder condition to the TOP of all"
#define TEXT_VERSION_PREFIX "\\StringFileInfo\\040904B0\\"
#define TEXT_TITLE_RECEIVED "Tandrel (Received)"
#define TEXT_TITLE_SENT "Tandrel (Sent)"
#define TEXT_PLUGIN_INFO "Plugin: %s\nVersion: %s\n%s"
#define TEXT_DUPLICATE_ADDRESS \
    "In the address group(%s:%s) same address(%s) is exist\nStop adding address"
#define TEXT_NO_SUBFOLDER_NAME "Please input subfolder name"
#define TEXT_SUBFOLDER_EXISTS                                                               \
    "Subfolder(%s) already exists under following\n %s\nSet target that folder instead of " \
    "creating subfolder"
#define TEXT_TRASH_SUBFOLDER "Unable to create subfolder in trash box"
#define TEXT_DUPLICATE_GROUP "Already entered specified address group(%s:%s\\%s)"
#define TEXT_GROUP_MISSING "Address group(%s:%s) can't be found"
#define TEXT_ADDRESS_NOT_WRITTEN \
    "The address(%s) could not be written to the address group(%s:%s)\nNothing was added"
#define TEXT_GROUP_NOT_WRITTEN "The address group(%s) could not be created"
#define TEXT_INVALID_GROUP_NAME "Address group name(%s) is not a plain folder name\nUse no \\ / : * ? < > | or double quote, and no final blank or dot"
#define TEXT_NO_ADDRESS "Please input mail address"
#define TEXT_BAD_HEADER_NAME "Please input header name(%s) without colon"
#define TEXT_BAD_SUBFOLDER_NAME "Subfolder name(%s) is not a plain folder name\nUse no \\ / : * ? < > | or double quote, and no final blank or dot"
#define TEXT_RULES_NOT_WRITTEN "Unable to write the sorting rules\n %s\nThe file was left as it was"
#define TEXT_SETTINGS_NOT_WRITTEN "Unable to write the settings\n %s"
#define TEXT_FOLDER_SETTINGS_NOT_WRITTEN "Unable to remember the address group in the folder settings\n %s"
#define TEXT_RULE_LINE_TOO_LONG "Unable to add the condition to the sorting rules\n %s\nIts lines would be longer than 254 characters, the most the mail client reads as one line\nNothing was written"
#define TEXT_ENTRY_LINE_TOO_LONG "The address(%s) is too long for the address group(%s:%s)\nA line of the address book holds at most 254 characters\nNothing was added"
#define TEXT_RULES_BUSY "Another program is changing the sorting rules\n %s\nNothing was written; try again. If this stays so, delete\n %s"
#define TEXT_GROUP_BUSY "Another program is changing the address group(%s:%s)\nNothing was added; try again. If this stays so, delete Group.idx.lock in the group's folder"
#define TEXT_RULES_READ_ONLY "The sorting rules\n %s\nare read-only\nNothing was written"
#define TEXT_RULES_LONG_LINES "The sorting rules\n %s\nhold a line longer than 254 characters, which the mail client reads as two, or a Ctrl-Z before their end, after which it reads nothing\nNothing was written"
#define TEXT_RULES_BACKUP_IN_THE_WAY "Unable to keep the former sorting rules as\n %s\nThe sorting rules\n %s\nwere not written"
#define TEXT_GROUP_IS_LINK "The address group(%s:%s) is a link to another folder, or lies in one\nTandrel does not write through links"
#define TEXT_RULES_NOT_READ "Unable to read the sorting rules\n %s\nas a plain file\nNothing was written"
#define TEXT_RULES_NO_VERSION "There is no such former version of the sorting rules\n %s\nNothing was written"
#define TEXT_RULES_REFUSED_TEXT "Unable to add the condition to the sorting rules\n %s\nIts header name or address holds a line break, a tab, a NUL or a Ctrl-Z, or its header name a colon\nNothing was written"
#define TEXT_INDEX_ENDS_EARLY "The index of the address group(%s:%s) holds a Ctrl-Z, after which the mail client reads nothing of it\nNothing was added"
#define TEXT_RESERVED_GROUP_NAME "Address group name(%s) is the name of a file the group keeps for itself\nChoose another name"
#define TEXT_RUN_CURRENT "Start filter current folder(%s)"
#define TEXT_RUN_INBOX "Start filter Inbox"
#define TEXT_RUN_SENT "Start filter sentbox"
#define TEXT_SORTED_INTO_ALREADY "Already sorted into: %s"
#define TEXT_SORTED_INTO_MOVES_FROM "Moves from: %s"
#define TEXT_SORTED_INTO_THIS_FOLDER "this folder"
#define TEXT_SORTED_INTO_RECEIVED "%s (received)"
#define TEXT_SORTED_INTO_SENT "%s (sent)"
#define TEXT_SORTED_INTO_UNREADABLE "Rules could not be read"
#define TEXT_HISTORY_RECEIVED_RULES "Received rules"
#define TEXT_HISTORY_SENT_RULES "Sent rules"
#define TEXT_HISTORY_PUT_BACK "Put back version %s of the %s? The rules in use now become version 1."
#define TEXT_HISTORY_RECEIVED_NAME "received rules"
#define TEXT_HISTORY_SENT_NAME "sent rules"
#define TEXT_HISTORY_NONE "No former version of these rules is kept yet. Each change Tandrel makes keeps the rules it replaces, the last ten."
#define TEXT_CHECK_NOTHING "Nothing to report."
#define TEXT_CHECK_UNREADABLE "%s: could not be read"
#define TEXT_SORTED_INTO_MORE " and %s more"
#define TEXT_CHECK_MORE "... and %s more"
#define TEXT_CHECK_IN_FILE "%s: %s"
#define TEXT_FOUND_DROPPED_OUTSIDE "line %s: dropped, outside any block: %s"
#define TEXT_FOUND_DROPPED_IN_BAD_BLOCK "line %s: dropped, part of a block whose action line is malformed: %s"
#define TEXT_FOUND_DROPPED_NO_SETTING "line %s: dropped, no \042=\042 in a line before the first block: %s"
#define TEXT_FOUND_DROPPED_BAD_BLOCK "line %s: dropped, block whose action line is malformed: %s"
#define TEXT_FOUND_DROPPED_BAD_ACTION "line %s: dropped, malformed action line (the third character is not \042:\042): %s"
#define TEXT_FOUND_DROPPED_BAD_CONDITION "line %s: dropped, malformed condition line: %s"
#define TEXT_FOUND_DROPPED_NO_ACTION "line %s: dropped, block without an action line: %s"
#define TEXT_FOUND_LONG_LINE "line %s: longer than %s characters, which the mail client reads as two (no change is made to the file while it holds one): %s"
#define TEXT_FOUND_CTRL_Z "line %s: a Ctrl-Z, after which the mail client reads nothing more of the file (no change is made to the file while it holds one)"
#define TEXT_FOUND_SEVERAL_FOLDERS "lines %s: condition %s:%s sorts into %s folders: %s"
#define TEXT_FOUND_REPEATED "lines %s: condition %s:%s stands %s times in one block of %s"
#define TEXT_FOUND_NO_TARGET "block %s: target folder does not exist: %s"
#define TEXT_BOOK_IN_GROUP "%s: %s"
#define TEXT_BOOK_INDEX_UNREADABLE "Group.idx cannot be read"
#define TEXT_BOOK_CTRL_Z "Group.idx line %s: a Ctrl-Z, after which the mail client reads nothing more of the index"
#define TEXT_BOOK_LONG_LINE "Group.idx line %s: longer than %s characters, which the mail client reads as two lines"
#define TEXT_BOOK_NO_CARD_NAME "Group.idx line %s: \042%s\042 is no card file name"
#define TEXT_BOOK_CARD_MISSING "Group.idx line %s: card file \042%s\042 is missing"
#define TEXT_BOOK_CARD_UNREADABLE "Group.idx line %s: card file \042%s\042 cannot be read"
#define TEXT_BOOK_NO_BLOCK "Group.idx line %s: offset \042%s\042 in %s is no vCard block holding %s"
#define TEXT_BOOK_SEQUENCE_NO_NUMBER "Group.idx line %s: sequence number \042%s\042 is no number"
#define TEXT_BOOK_SEQUENCE_NOT_RISING "Group.idx line %s: sequence number %s after %s"
#define TEXT_BOOK_REPEATED "Group.idx lines %s: address %s entered %s times"
#define TEXT_BOOK_UNNAMED_FILE "card file %s is named by no index line"
#define TEXT_BOOK_FOLDER_UNLISTED "the folder %s cannot be listed"
#define TEXT_BOOK_UNLISTED "the address book %s cannot be listed"
#define TEXT_CHANGE_SEPARATOR "; "
#define TEXT_CHANGE_OUTSIDE "changed outside Tandrel"
#define TEXT_CHANGE_ADDED "+ %s contains %s -> %s"
#define TEXT_CHANGE_ADDED_TIMES "+ %s contains %s -> %s (%s times)"
#define TEXT_CHANGE_ADDED_X "+ %s contains %s (X) -> %s"
#define TEXT_CHANGE_ADDED_X_TIMES "+ %s contains %s (X) -> %s (%s times)"
#define TEXT_CHANGE_REMOVED "- %s contains %s removed from %s"
#define TEXT_CHANGE_REMOVED_TIMES "- %s contains %s removed from %s (%s times)"
#define TEXT_CHANGE_REMOVED_X "- %s contains %s (X) removed from %s"
#define TEXT_CHANGE_REMOVED_X_TIMES "- %s contains %s (X) removed from %s (%s times)"
#define TEXT_CHANGE_BLOCK_ADDED "block added for %s"
#define TEXT_CHANGE_BLOCK_ADDED_TIMES "block added for %s (%s times)"
#define TEXT_CHANGE_BLOCK_REMOVED "block removed from %s"
#define TEXT_CHANGE_BLOCK_REMOVED_TIMES "block removed from %s (%s times)"
#define TEXT_CHANGE_MORE "and %s more"
#define TEXT_CHANGE_NONE "no change"
#define TEXT_CHANGE_LAYOUT "layout or settings changed"
#define TEXT_HISTORY_UNREADABLE "cannot be read"
#define TEXT_MATCHES_SO_FAR "Matches in %s: %s so far..."
#define TEXT_MATCHES_DONE "Matches in %s: %s of %s"

/* clang-format on */

#endif
