#!/usr/bin/env python3
"""reference.py: writes address_forms.tsv and held_out.tsv, what Python's
standard parser (email.utils.getaddresses, email.header) makes of each form
of forms.py: for each form a line "V<TAB>value", then one line
"E<TAB>address<TAB>name" per address, names decoded to UTF-8; and
malformed.tsv, what the plain split makes of each malformed form: every
entry, split at every comma, names without control characters or end
blanks. In values and names %09, %0D, %0A and %25 stand for a tab, CR, LF
and a percent sign."""
import os
import sys
from email.header import decode_header, make_header
from email.utils import getaddresses

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from forms import FORMS, HELD_OUT, MALFORMED  # noqa: E402


def escaped(text):
    return (text.replace("%", "%25").replace("\t", "%09").replace("\r", "%0D")
            .replace("\n", "%0A"))


def decoded(name):
    try:
        return str(make_header(decode_header(name)))
    except Exception:  # a name that does not decode stays as it is
        return name


def write(path, forms):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for value in forms:
            unfolded = value.replace("\r\n", "")
            out.write("V\t" + escaped(value) + "\n")
            for name, address in getaddresses([unfolded]):
                if not address:
                    continue
                out.write("E\t" + escaped(address) + "\t" + escaped(decoded(name)) + "\n")


def trimmed(text):
    """Blanks and double quotes off both ends; the first character left by
    the front trim is never taken."""
    text = text.lstrip(' "')
    end = len(text)
    while end > 1 and text[end - 1] in ' "':
        end -= 1
    return text[:end]


def plain_pair(part):
    """The plain rules: the angle address of the last "<" that a ">" follows,
    else the first parentheses, else a bare address named by its local part
    (or all but its last character)."""
    last_close = part.rfind('>')
    first = part.rfind('<', 0, last_close) if last_close >= 0 else -1
    if first >= 0:
        address = trimmed(part[first + 1:part.index('>', first)]).replace(' ', '')
        return address, trimmed(part[:first])
    first, last = part.find('('), part.find(')')
    if first >= 0 and last > first:
        return trimmed(part[:first]), trimmed(part[first + 1:last])
    address = trimmed(part.split(',')[0])
    if '@' in address:
        return address, trimmed(address[:address.index('@')])
    return address, trimmed(address[:-1]) if address else ''


def proposed(name):
    """A proposed name: no control character, no blank at its ends."""
    return ''.join(c for c in name if ' ' <= c != '\x7f').strip(' ')


def write_plain(path, forms):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for value in forms:
            out.write("V\t" + escaped(value) + "\n")
            parts = [value] if '@' not in value else value.replace("\r\n", "").split(',')
            for part in parts:
                address, name = plain_pair(part) if '@' in value else (part, '')
                out.write("E\t" + escaped(address) + "\t" + escaped(proposed(name)) + "\n")


here = os.path.dirname(os.path.abspath(__file__))
write(os.path.join(here, "address_forms.tsv"), FORMS)
write(os.path.join(here, "held_out.tsv"), HELD_OUT)
write_plain(os.path.join(here, "malformed.tsv"), MALFORMED)
