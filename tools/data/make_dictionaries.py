#!/usr/bin/env python3
"""Writes the dictionaries, the default template and the link file into data/.

The files are what the program ships; this script only keeps them consistent: the sections of
frontop.dic follow fronttag.dic entry by entry, every closing tag has its opening tag, and every
IE-only or NN-only tag can be completed. Run it after editing the tables below:

    python3 tools/data/make_dictionaries.py
"""

import pathlib

DATA = pathlib.Path(__file__).resolve().parents[2] / "data"

# Attributes every element takes: the core and language attributes first, since they are the
# ones typed most, then the other global attributes, then the intrinsic mouse and key events.
GLOBAL = """
ID CLASS STYLE TITLE LANG DIR
ACCESSKEY AUTOCAPITALIZE AUTOCORRECT AUTOFOCUS CONTENTEDITABLE DRAGGABLE ENTERKEYHINT HIDDEN
INERT INPUTMODE IS ITEMID ITEMPROP ITEMREF ITEMSCOPE ITEMTYPE NONCE POPOVER ROLE SPELLCHECK
TABINDEX TRANSLATE WRITINGSUGGESTIONS
ONCLICK ONDBLCLICK ONMOUSEDOWN ONMOUSEUP ONMOUSEOVER ONMOUSEMOVE ONMOUSEOUT
ONKEYPRESS ONKEYDOWN ONKEYUP
""".split()

# Every element of HTML 4.01 and of today's HTML, and the tags only one of the old browsers
# knew. Each maps to its own attributes, the most used first; the global ones follow them.
# "void" elements have no closing tag.
ELEMENTS = {
    "A": "HREF NAME TARGET REL REV TYPE HREFLANG CHARSET DOWNLOAD PING REFERRERPOLICY SHAPE COORDS ONFOCUS ONBLUR",
    "ABBR": "",
    "ACRONYM": "",
    "ADDRESS": "",
    "APPLET": "CODE CODEBASE ARCHIVE OBJECT NAME WIDTH HEIGHT ALT ALIGN HSPACE VSPACE",
    "AREA": "HREF ALT SHAPE COORDS TARGET NOHREF DOWNLOAD PING REL REFERRERPOLICY ONFOCUS ONBLUR",
    "ARTICLE": "",
    "ASIDE": "",
    "AUDIO": "SRC CONTROLS AUTOPLAY LOOP MUTED PRELOAD CROSSORIGIN",
    "B": "",
    "BASE": "HREF TARGET",
    "BASEFONT": "SIZE COLOR FACE",
    "BDI": "",
    "BDO": "",
    "BGSOUND": "SRC LOOP BALANCE VOLUME",
    "BIG": "",
    "BLINK": "",
    "BLOCKQUOTE": "CITE",
    "BODY": "BGCOLOR TEXT LINK VLINK ALINK BACKGROUND ONLOAD ONUNLOAD ONBEFOREUNLOAD ONAFTERPRINT "
            "ONBEFOREPRINT ONHASHCHANGE ONMESSAGE ONOFFLINE ONONLINE ONPAGEHIDE ONPAGESHOW "
            "ONPOPSTATE ONSTORAGE",
    "BR": "CLEAR",
    "BUTTON": "TYPE NAME VALUE DISABLED FORM FORMACTION FORMENCTYPE FORMMETHOD FORMNOVALIDATE "
              "FORMTARGET POPOVERTARGET POPOVERTARGETACTION COMMAND COMMANDFOR ONFOCUS ONBLUR",
    "CANVAS": "WIDTH HEIGHT",
    "CAPTION": "ALIGN",
    "CENTER": "",
    "CITE": "",
    "CODE": "",
    "COL": "SPAN WIDTH ALIGN VALIGN CHAR CHAROFF",
    "COLGROUP": "SPAN WIDTH ALIGN VALIGN CHAR CHAROFF",
    "COMMENT": "",
    "DATA": "VALUE",
    "DATALIST": "",
    "DD": "",
    "DEL": "CITE DATETIME",
    "DETAILS": "OPEN NAME",
    "DFN": "",
    "DIALOG": "OPEN CLOSEDBY",
    "DIR": "COMPACT",
    "DIV": "ALIGN",
    "DL": "COMPACT",
    "DT": "",
    "EM": "",
    "EMBED": "SRC TYPE WIDTH HEIGHT",
    "FIELDSET": "NAME DISABLED FORM",
    "FIGCAPTION": "",
    "FIGURE": "",
    "FONT": "SIZE COLOR FACE",
    "FOOTER": "",
    "FORM": "ACTION METHOD ENCTYPE NAME TARGET ACCEPT ACCEPT-CHARSET AUTOCOMPLETE NOVALIDATE REL "
            "ONSUBMIT ONRESET",
    "FRAME": "SRC NAME FRAMEBORDER MARGINWIDTH MARGINHEIGHT NORESIZE SCROLLING LONGDESC",
    "FRAMESET": "ROWS COLS ONLOAD ONUNLOAD",
    "H1": "ALIGN",
    "H2": "ALIGN",
    "H3": "ALIGN",
    "H4": "ALIGN",
    "H5": "ALIGN",
    "H6": "ALIGN",
    "HEAD": "PROFILE",
    "HEADER": "",
    "HGROUP": "",
    "HR": "ALIGN NOSHADE SIZE WIDTH",
    "HTML": "VERSION",
    "I": "",
    "IFRAME": "SRC NAME WIDTH HEIGHT SRCDOC SANDBOX ALLOW ALLOWFULLSCREEN LOADING REFERRERPOLICY "
              "FRAMEBORDER MARGINWIDTH MARGINHEIGHT SCROLLING ALIGN LONGDESC",
    "ILAYER": "NAME SRC LEFT TOP PAGEX PAGEY WIDTH HEIGHT CLIP Z-INDEX ABOVE BELOW VISIBILITY "
              "BGCOLOR BACKGROUND ONFOCUS ONBLUR ONLOAD",
    "IMG": "SRC ALT WIDTH HEIGHT BORDER ALIGN HSPACE VSPACE NAME USEMAP ISMAP LONGDESC SRCSET "
           "SIZES CROSSORIGIN DECODING LOADING FETCHPRIORITY REFERRERPOLICY ONLOAD ONERROR",
    "INPUT": "TYPE NAME VALUE SIZE MAXLENGTH CHECKED DISABLED READONLY SRC ALT ALIGN USEMAP ISMAP "
             "ACCEPT ALPHA AUTOCOMPLETE COLORSPACE DIRNAME FORM FORMACTION FORMENCTYPE FORMMETHOD "
             "FORMNOVALIDATE FORMTARGET WIDTH HEIGHT LIST MAX MIN MINLENGTH MULTIPLE PATTERN "
             "PLACEHOLDER POPOVERTARGET POPOVERTARGETACTION REQUIRED STEP "
             "ONFOCUS ONBLUR ONSELECT ONCHANGE ONINPUT",
    "INS": "CITE DATETIME",
    "ISINDEX": "PROMPT",
    "KBD": "",
    "KEYGEN": "NAME CHALLENGE KEYTYPE DISABLED FORM",
    "LABEL": "FOR ONFOCUS ONBLUR",
    "LAYER": "NAME SRC LEFT TOP PAGEX PAGEY WIDTH HEIGHT CLIP Z-INDEX ABOVE BELOW VISIBILITY "
             "BGCOLOR BACKGROUND ONFOCUS ONBLUR ONLOAD",
    "LEGEND": "ALIGN",
    "LI": "TYPE VALUE",
    "LINK": "REL HREF TYPE MEDIA HREFLANG CHARSET REV TARGET AS CROSSORIGIN INTEGRITY "
            "REFERRERPOLICY SIZES IMAGESRCSET IMAGESIZES BLOCKING COLOR DISABLED FETCHPRIORITY",
    "MAIN": "",
    "MAP": "NAME",
    "MARK": "",
    "MARQUEE": "BEHAVIOR DIRECTION LOOP SCROLLAMOUNT SCROLLDELAY TRUESPEED BGCOLOR WIDTH HEIGHT "
               "HSPACE VSPACE",
    "MATH": "DISPLAY",
    "MENU": "COMPACT",
    "META": "NAME HTTP-EQUIV CONTENT CHARSET SCHEME MEDIA",
    "METER": "VALUE MIN MAX LOW HIGH OPTIMUM",
    "MULTICOL": "COLS GUTTER WIDTH",
    "NAV": "",
    "NOEMBED": "",
    "NOFRAMES": "",
    "NOLAYER": "",
    "NOSCRIPT": "",
    "OBJECT": "DATA TYPE WIDTH HEIGHT NAME CLASSID CODEBASE CODETYPE ARCHIVE STANDBY DECLARE "
              "USEMAP FORM ALIGN BORDER HSPACE VSPACE",
    "OL": "TYPE START REVERSED COMPACT",
    "OPTGROUP": "LABEL DISABLED",
    "OPTION": "VALUE SELECTED DISABLED LABEL",
    "OUTPUT": "FOR FORM NAME",
    "P": "ALIGN",
    "PARAM": "NAME VALUE VALUETYPE TYPE",
    "PICTURE": "",
    "PRE": "WIDTH",
    "PROGRESS": "VALUE MAX",
    "Q": "CITE",
    "RP": "",
    "RT": "",
    "RUBY": "",
    "S": "",
    "SAMP": "",
    "SCRIPT": "TYPE SRC LANGUAGE CHARSET DEFER ASYNC NOMODULE CROSSORIGIN INTEGRITY "
              "REFERRERPOLICY BLOCKING FETCHPRIORITY EVENT FOR",
    "SEARCH": "",
    "SECTION": "",
    "SELECT": "NAME SIZE MULTIPLE DISABLED AUTOCOMPLETE FORM REQUIRED ONFOCUS ONBLUR ONCHANGE",
    "SERVER": "",
    "SLOT": "NAME",
    "SMALL": "",
    "SOURCE": "SRC TYPE MEDIA SRCSET SIZES WIDTH HEIGHT",
    "SPACER": "TYPE SIZE WIDTH HEIGHT ALIGN",
    "SPAN": "",
    "STRIKE": "",
    "STRONG": "",
    "STYLE": "TYPE MEDIA BLOCKING",
    "SUB": "",
    "SUMMARY": "",
    "SUP": "",
    "SVG": "WIDTH HEIGHT VIEWBOX PRESERVEASPECTRATIO XMLNS",
    "TABLE": "BORDER WIDTH CELLSPACING CELLPADDING ALIGN BGCOLOR SUMMARY FRAME RULES",
    "TBODY": "ALIGN VALIGN CHAR CHAROFF",
    "TD": "COLSPAN ROWSPAN ALIGN VALIGN WIDTH HEIGHT BGCOLOR NOWRAP HEADERS SCOPE ABBR AXIS "
          "CHAR CHAROFF",
    "TEMPLATE": "SHADOWROOTMODE SHADOWROOTDELEGATESFOCUS SHADOWROOTCLONABLE "
                "SHADOWROOTSERIALIZABLE",
    "TEXTAREA": "NAME ROWS COLS WRAP DISABLED READONLY MAXLENGTH MINLENGTH PLACEHOLDER REQUIRED "
                "AUTOCOMPLETE DIRNAME FORM ONFOCUS ONBLUR ONSELECT ONCHANGE ONINPUT",
    "TFOOT": "ALIGN VALIGN CHAR CHAROFF",
    "TH": "COLSPAN ROWSPAN ALIGN VALIGN WIDTH HEIGHT BGCOLOR NOWRAP HEADERS SCOPE ABBR AXIS "
          "CHAR CHAROFF",
    "THEAD": "ALIGN VALIGN CHAR CHAROFF",
    "TIME": "DATETIME",
    "TITLE": "",
    "TR": "ALIGN VALIGN BGCOLOR CHAR CHAROFF",
    "TRACK": "SRC KIND SRCLANG LABEL DEFAULT",
    "TT": "",
    "U": "",
    "UL": "TYPE COMPACT",
    "VAR": "",
    "VIDEO": "SRC WIDTH HEIGHT POSTER CONTROLS AUTOPLAY LOOP MUTED PLAYSINLINE PRELOAD CROSSORIGIN",
    "WBR": "",
    "XML": "SRC",
}

VOID = set("""
AREA BASE BASEFONT BGSOUND BR COL EMBED FRAME HR IMG INPUT ISINDEX KEYGEN LINK META PARAM
SOURCE SPACER TRACK WBR
""".split())

# Tags only one of the two old browsers knew; a tag both knew (EMBED, NOBR, WBR) is in neither.
IE_ONLY = ["BGSOUND", "COMMENT", "MARQUEE", "XML"]
NN_ONLY = ["BLINK", "ILAYER", "KEYGEN", "LAYER", "MULTICOL", "NOEMBED", "NOLAYER", "SERVER",
           "SPACER"]

DOCTYPES = [
    "HTML",
    'HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd"',
    'HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd"',
    'HTML PUBLIC "-//W3C//DTD HTML 4.01 Frameset//EN" "http://www.w3.org/TR/html4/frameset.dtd"',
]

# The default document of a new file.
TEMPLATE = [
    "<HTML>",
    "<HEAD>",
    '<META HTTP-EQUIV="Content-Type" CONTENT="text/html;charset=x-sjis">',
    '<META NAME="GENERATOR" CONTENT="Pemrin v1.37">',
    "<TITLE></TITLE>",
    "</HEAD>",
    "<BODY>",
] + [""] * 9 + [
    "</BODY>",
    "</HTML>",
]

LINK = ["[InternetShortcut]", "URL=https://example.org/pemrin/"]


def tag_names():
    # A comment first: inside a comment a Tab then finds the empty [!--] section and simply
    # inserts a tab. The last entry has no following section head to end its attributes, so the
    # rarely used XML comes last by the alphabet.
    return ["!--", "!DOCTYPE"] + sorted(ELEMENTS)


def attributes(name):
    own = ELEMENTS[name].split()
    assert len(own) == len(set(own)), name
    return own + [a for a in GLOBAL if a not in own]


def write(name, lines):
    text = "".join(line + "\r\n" for line in lines)
    (DATA / name).write_bytes(text.encode("shift_jis"))


def main():
    for tag in IE_ONLY + NN_ONLY:
        assert tag in ELEMENTS, tag
    assert not set(IE_ONLY) & set(NN_ONLY)

    names = tag_names()
    write("fronttag.dic", names)
    write("backtag.dic", ["/" + n for n in names[2:] if n not in VOID])

    frontop = []
    for n in names:
        frontop.append("[" + n + "]")
        if n == "!DOCTYPE":
            frontop += DOCTYPES
        elif n != "!--":
            frontop += attributes(n)
    write("frontop.dic", frontop)

    for file, tags in (("ietag.dic", IE_ONLY), ("nntag.dic", NN_ONLY)):
        lines = []
        for t in tags:
            lines.append(t)
            if t not in VOID:
                lines.append("/" + t)
        write(file, lines)

    write("new.tlt", TEMPLATE)
    write("varne.url", LINK)


if __name__ == "__main__":
    main()
