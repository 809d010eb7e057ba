#!/usr/bin/env python3
"""Makes the operator's guide one self-contained HTML file that opens anywhere.

The guide's source (docs/guide/LANG/guide.html) shows its pictures as

    <figure data-shot="NAME"> ... <img src="shots/NAME.png" ...> ... </figure>

where NAME.png is a picture of `make screenshots` (out/screenshots/). Each picture found
in SHOTS_DIR is embedded in the page as a data: address; the figure of a picture that
is missing is left out. A missing picture is an error unless its figure is marked
data-pending (a window whose scene does not exist yet) or --no-pictures is given (the
install test's archive, which needs no pictures). The version placeholder @VERSION@ is
replaced by the release's version. The stylesheet both guides share
(<link rel="stylesheet" href="../guide.css">, docs/guide/guide.css) is put into the page.

Usage: build_guide.py [--no-pictures] SOURCE.html SHOTS_DIR VERSION OUT.html
"""
import base64
import os
import re
import sys

STYLESHEET = '<link rel="stylesheet" href="../guide.css">\n'
FIGURE = re.compile(r'<figure data-shot="([a-z0-9_]+)"( data-pending)?>(.*?)</figure>\s*',
                    re.S)


def build(source, shots_dir, version, pictures=True, stylesheet=None):
    """Returns (html, missing, errors): the page, and the pictures left out. `stylesheet`
    is the text of the shared stylesheet the page links to."""
    missing, errors = [], []
    if STYLESHEET in source:
        if stylesheet is None:
            errors.append("the page links to ../guide.css, which was not found")
        else:
            source = source.replace(STYLESHEET, "<style>\n%s</style>\n" % stylesheet)

    def figure(m):
        name, pending, body = m.group(1), m.group(2), m.group(3)
        ref = 'src="shots/%s.png"' % name
        if ref not in body:
            errors.append("figure %s does not show shots/%s.png" % (name, name))
            return m.group(0)
        path = os.path.join(shots_dir, name + ".png") if shots_dir else ""
        if not pictures or not path or not os.path.isfile(path):
            if pictures and not pending:
                errors.append("picture %s.png is missing from %s" % (name, shots_dir))
            missing.append(name)
            return ""
        with open(path, "rb") as f:
            data = base64.b64encode(f.read()).decode("ascii")
        body = body.replace(ref, 'src="data:image/png;base64,%s"' % data)
        return '<figure>%s</figure>\n' % body

    html = FIGURE.sub(figure, source)
    if "shots/" in html:
        errors.append("a picture outside a <figure data-shot> is left: " +
                      html[html.index("shots/"):][:60])
    html = html.replace("@VERSION@", version)
    return html, missing, errors


def main(argv):
    args = argv[1:]
    pictures = True
    if args and args[0] == "--no-pictures":
        pictures = False
        args = args[1:]
    if len(args) != 4:
        sys.stderr.write(__doc__)
        return 2
    source_path, shots_dir, version, out_path = args
    with open(source_path, encoding="utf-8") as f:
        source = f.read()
    stylesheet = None
    css_path = os.path.join(os.path.dirname(os.path.abspath(source_path)), "..", "guide.css")
    if os.path.isfile(css_path):
        with open(css_path, encoding="utf-8") as f:
            stylesheet = f.read()
    html, missing, errors = build(source, shots_dir, version, pictures, stylesheet)
    for e in errors:
        sys.stderr.write("build_guide: %s: %s\n" % (source_path, e))
    if errors:
        return 1
    if pictures:
        for name in missing:
            sys.stderr.write("build_guide: %s: no picture %s.png yet, its figure is left out\n"
                             % (source_path, name))
    with open(out_path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write(html)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
