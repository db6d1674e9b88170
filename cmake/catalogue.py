#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Turns the program's catalogues (po/<language>.po) into C++ data, after checking them
against the texts the sources mark (a .pot made by xgettext). The build stops, naming the
file and the text, when a catalogue lacks a text, leaves one untranslated or fuzzy, keeps
one the program no longer has, or changes the numbered placeholders (%1$s ...) of one;
and when the Bulgarian catalogue is not the Bulgarian texts exactly as written.

Usage: catalogue.py OUTPUT.cpp TEMPLATE.pot bg=po/bg.po en=po/en.po ...
       catalogue.py --extract XGETTEXT TEMPLATE.pot SOURCE...   (makes the template)
"""
import re
import subprocess
import sys


def unquote(text):
    """A PO string's C escapes, decoded."""
    out = []
    i = 0
    escapes = {'n': '\n', 'r': '\r', 't': '\t', '"': '"', '\\': '\\'}
    while i < len(text):
        ch = text[i]
        if ch == '\\' and i + 1 < len(text):
            nxt = text[i + 1]
            if nxt not in escapes:
                raise ValueError('unknown escape \\' + nxt)
            out.append(escapes[nxt])
            i += 2
        else:
            out.append(ch)
            i += 1
    return ''.join(out)


def parse(path):
    """The entries of a PO file: {msgid: (msgstr, fuzzy)}, and its header."""
    entries = {}
    header = ''
    msgid = msgstr = None
    fuzzy = False
    field = None

    def flush():
        nonlocal msgid, msgstr, fuzzy, header
        if msgid is None:
            return
        if msgid == '':
            header = msgstr
        else:
            if msgid in entries:
                raise ValueError(f'{path}: the text "{msgid}" twice')
            entries[msgid] = (msgstr, fuzzy)
        msgid = msgstr = None
        fuzzy = False

    with open(path, encoding='utf-8') as po:
        for number, line in enumerate(po, 1):
            line = line.rstrip('\n')
            if line.startswith('#,'):
                flush()
                fuzzy = 'fuzzy' in line
            elif line.startswith('#') or not line.strip():
                if line.startswith('#~'):
                    raise ValueError(f'{path}:{number}: an obsolete entry: remove it')
                continue
            elif line.startswith('msgid '):
                if msgid is not None:
                    flush()
                msgid, field = unquote(line[7:-1]), 'id'
            elif line.startswith('msgstr '):
                msgstr, field = unquote(line[8:-1]), 'str'
            elif line.startswith('"'):
                if field == 'id':
                    msgid += unquote(line[1:-1])
                else:
                    msgstr += unquote(line[1:-1])
            else:
                raise ValueError(f'{path}:{number}: cannot read "{line}"')
    flush()
    return entries, header


def placeholders(text):
    return sorted(re.findall(r'%[1-9]\$s', text))


def text_hash(text):
    """FNV-1a, 64 bits, over the UTF-8 bytes: calc/catalogue.h computes the same."""
    value = 0xcbf29ce484222325
    for byte in text.encode('utf-8'):
        value = ((value ^ byte) * 0x100000001b3) & 0xffffffffffffffff
    return value


def literal(text):
    out = ['"']
    for ch in text:
        out.append({'\\': '\\\\', '"': '\\"', '\n': '\\n', '\r': '\\r', '\t': '\\t'}.get(ch, ch))
    out.append('"')
    return ''.join(out)


def extract(xgettext, template, sources):
    """The template, by xgettext. The window's texts keep the CR LF line ends the program
    writes, which xgettext warns about on every line: those warnings are left out."""
    run = subprocess.run([xgettext, '--from-code=UTF-8', '--language=C++', '--keyword=N_', '--keyword=Tr',
                          '--keyword=TrFormat:1', '--package-name=umnozhenie', '--msgid-bugs-address=umnozhenie@example.org', '--add-comments=TRANSLATORS:',
                          '--sort-by-file', '-o', template] + sources, capture_output=True, text=True)
    for line in run.stderr.splitlines():
        if "should not contain the '\\r' escape sequence" not in line:
            print(line, file=sys.stderr)
    sys.exit(run.returncode)


def main():
    if sys.argv[1] == '--extract':
        extract(sys.argv[2], sys.argv[3], sys.argv[4:])
    output, template = sys.argv[1], sys.argv[2]
    wanted, _ = parse(template)
    problems = []
    catalogues = []
    for argument in sys.argv[3:]:
        code, path = argument.split('=', 1)
        entries, header = parse(path)
        for msgid in wanted:
            if msgid not in entries:
                problems.append(f'{path}: no translation of "{msgid}"')
        for msgid, (msgstr, fuzzy) in entries.items():
            if msgid not in wanted:
                problems.append(f'{path}: "{msgid}" is not a text of the program any more')
            elif not msgstr:
                problems.append(f'{path}: "{msgid}" is not translated')
            elif fuzzy:
                problems.append(f'{path}: "{msgid}" is marked fuzzy: check it and remove the mark')
            elif placeholders(msgid) != placeholders(msgstr):
                problems.append(f'{path}: "{msgid}": the translation has other placeholders')
            elif code == 'bg' and msgstr != msgid:
                problems.append(f'{path}: "{msgid}": the Bulgarian text must stay as it is written')
        name = re.search(r'^X-Language-Name: (.*)$', header, re.M)
        if not name:
            problems.append(f'{path}: the header has no "X-Language-Name:" line')
        elif code != 'bg':
            catalogues.append((code, name.group(1).strip(), entries))
    hashes = {}
    for msgid in wanted:
        other = hashes.setdefault(text_hash(msgid), msgid)
        if other != msgid:
            problems.append(f'"{msgid}" and "{other}" share a hash: change one of them a little')
    if problems:
        for problem in problems:
            print(problem, file=sys.stderr)
        sys.exit(1)

    lines = ['// Made by cmake/catalogue.py from po/*.po: do not edit.',
             '#include "calc/catalogue.h"', '', 'namespace korvanta {', 'namespace {', '']
    for code, name, entries in catalogues:
        lines.append(f'constexpr CatalogueEntry k_{code}[] = {{')
        for msgid in sorted(entries, key=text_hash):
            lines.append(f'    {{0x{text_hash(msgid):016x}u, {literal(entries[msgid][0])}}},')
        lines.append('};')
    lines.append('constexpr Catalogue kAll[] = {')
    for code, name, _ in catalogues:
        lines.append(f'    {{{literal(code)}, {literal(name)}, k_{code}}},')
    lines += ['};', '', '} // namespace', '',
              'std::span<const Catalogue> Catalogues() { return kAll; }', '', '} // namespace korvanta', '']
    with open(output, 'w', encoding='utf-8') as out:
        out.write('\n'.join(lines))


if __name__ == '__main__':
    try:
        main()
    except ValueError as error:
        print(error, file=sys.stderr)
        sys.exit(1)
