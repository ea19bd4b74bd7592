#!/usr/bin/env python3
"""make_data.py CASE DATA_FOLDER: writes the data folder of a UI benchmark case.

The large data is made here at run time rather than kept in the repository:
a mail whose To holds 1,000 addresses, whose From is folded and whose Subject
is 64 KB, address books of 50, 5,050 and 20,200 groups (one of 5,050 with a
group four levels down shown in the Inbox), and rule files of 20 and of
100,000 conditions.
"""
import os
import sys

CRLF = "\r\n"


def write(path, content=b""):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(content)


def small_mail():
    return CRLF.join([
        'From: "Ann Lee" <ann@example.com>',
        'To: "Bob Roe" <bob@example.com>, "Cy Poe" <cy@example.com>',
        "Subject: hello",
        "",
        "Hi Bob",
        "",
    ])


def large_mail():
    to = ("," + CRLF + "\t").join(f'"User {n}" <user{n}@example.com>' for n in range(1000))
    return CRLF.join([
        'From: "Ann' + CRLF + '\tLee" <ann@' + CRLF + "\texample.com>",
        "To: " + to,
        "Subject: " + "long subject " * (65536 // 13),
        "",
        "Hi all",
        "",
    ])


def mailbox(data, mail):
    write(os.path.join(data, "Main", "!!!!Inbox", "Folder.ini"))
    write(os.path.join(data, "Main", "!!!Sent", "Folder.ini"))
    write(os.path.join(data, "Main", "!!!!Inbox", "0001.eml"), mail.encode("ascii"))


def address_book(data, top_groups, sub_groups):
    book = os.path.join(data, "AddrBook", "@Private")
    write(os.path.join(book, "Group.ini"))
    for top in range(top_groups):
        group = os.path.join(book, f"Group {top:02}")
        write(os.path.join(group, "Group.ini"))
        for sub in range(sub_groups):
            write(os.path.join(group, f"Team {sub:03}", "Group.ini"))


def deep_group(data):
    """Below Group 00\\Team 000 of the 5,050, two more levels of ten groups;
    the Inbox shows the last one as its address group."""
    team = os.path.join(data, "AddrBook", "@Private", "Group 00", "Team 000")
    for part in range(10):
        for piece in range(10):
            write(os.path.join(team, f"Part {part}", f"Piece {piece}", "Group.ini"))
        write(os.path.join(team, f"Part {part}", "Group.ini"))
    write(os.path.join(data, "Main", "!!!!Inbox", "Folder.ini"),
          b"[Settings]\r\nAddrGrp=Private:Group 00\\Team 000\\Part 9\\Piece 9\r\n")


def rule_files(data, conditions):
    """Both rule files of Main: blocks of up to 100 conditions, one address a
    condition; user77's condition stands in the first two folders (in the
    only one of the small files), so the line lists it."""
    for name, header in (("iFilter.Def", "From"), ("oFilter.Def", "To")):
        lines = ["Version=1"]
        for first in range(0, conditions, 100):
            block = first // 100
            lines += [f':Begin "folder {block}"', f"!M:Main\\!!!!Inbox\\Folder {block}\\"]
            lines += [f"@0:{header}:user{n}@example.com\tO\tI"
                      for n in range(first, min(first + 100, conditions))]
            if block == 1 or (conditions < 100 and block == 0):
                lines.append(f"@0:{header}:user77@example.com\tO\tI")
            lines.append(f':End "folder {block}"')
        write(os.path.join(data, "Main", name), (CRLF.join(lines) + CRLF).encode("ascii"))


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_data.py CASE DATA_FOLDER")
    case, data = sys.argv[1], sys.argv[2]
    if case == "large-mail":
        mailbox(data, large_mail())
        address_book(data, 1, 0)
    elif case == "groups-50":
        mailbox(data, small_mail())
        address_book(data, 50, 0)
    elif case == "groups-5000":
        mailbox(data, small_mail())
        address_book(data, 50, 100)
    elif case == "groups-20000":
        mailbox(data, small_mail())
        address_book(data, 200, 100)
    elif case == "groups-deep":
        mailbox(data, small_mail())
        address_book(data, 50, 100)
        deep_group(data)
    elif case in ("small-rules", "large-rules"):
        mailbox(data, small_mail())
        address_book(data, 1, 0)
        rule_files(data, 20 if case == "small-rules" else 100000)
    elif case in ("small-mail", "setup") or case.startswith("floor-"):
        mailbox(data, small_mail())
        address_book(data, 1, 0)
    else:
        sys.exit("unknown case: " + case)


if __name__ == "__main__":
    main()
