#!/usr/bin/env python3
"""reference.py: writes address_forms.tsv and held_out.tsv, what Python's
standard parser (email.utils.getaddresses, email.header) makes of each form
of forms.py: for each form a line "V<TAB>value", then one line
"E<TAB>address<TAB>name" per address, names decoded to UTF-8. In values and
names %09, %0D, %0A and %25 stand for a tab, CR, LF and a percent sign."""
import os
import sys
from email.header import decode_header, make_header
from email.utils import getaddresses

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from forms import FORMS, HELD_OUT  # noqa: E402


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


here = os.path.dirname(os.path.abspath(__file__))
write(os.path.join(here, "address_forms.tsv"), FORMS)
write(os.path.join(here, "held_out.tsv"), HELD_OUT)
