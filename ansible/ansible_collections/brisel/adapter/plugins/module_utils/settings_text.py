# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
"""The settings file the settings module hands to brisel-ctl, made of the
text of a settings file, a mapping of keys, or both; and a change as the
lines of --diff show it.

Values keep the types YAML gave them: true and false stay switches, whole
numbers stay numbers (YAML reads 0xF0 as the number 240, which brisel-ctl
takes for a bit pattern), texts stay texts. Whether a value fits its key is
brisel-ctl's judgement alone; here only what cannot be written as a
settings file at all is refused.
"""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import math
import re

try:
    import tomllib
except ImportError:  # Python before 3.11
    tomllib = None

BARE_KEY = re.compile(r'^[A-Za-z0-9_-]+$')
# What TOML's basic strings must escape besides the quote and the backslash.
ESCAPES = {'\b': '\\b', '\t': '\\t', '\n': '\\n', '\f': '\\f', '\r': '\\r', '"': '\\"', '\\': '\\\\'}
FORMAT = 1


class SettingsTextError(Exception):
    """The options cannot make one settings file; the text says why."""


def toml_string(text):
    out = []
    for c in text:
        if c in ESCAPES:
            out.append(ESCAPES[c])
        elif ord(c) < 0x20 or 0x7F <= ord(c) <= 0x9F:
            out.append('\\u%04X' % ord(c))
        else:
            out.append(c)
    return '"' + ''.join(out) + '"'


def toml_key(key):
    return key if BARE_KEY.match(key) else toml_string(key)


def toml_value(value, where):
    """A value of the keys option as TOML writes it."""
    if isinstance(value, bool):
        return 'true' if value else 'false'
    if isinstance(value, int):
        return str(value)
    if isinstance(value, float):
        if math.isnan(value):
            return 'nan'
        if math.isinf(value):
            return 'inf' if value > 0 else '-inf'
        return repr(value)
    if isinstance(value, str):
        return toml_string(value)
    if value is None:
        raise SettingsTextError('%s has no value' % where)
    if isinstance(value, list):
        return '[' + ', '.join(toml_value(v, where) for v in value) + ']'
    # Dates and times of a parsed settings file; brisel-ctl names them.
    if hasattr(value, 'isoformat'):
        return value.isoformat()
    raise SettingsTextError('%s: a value of type %s cannot stand in a settings file' % (where, type(value).__name__))


def flat_keys(keys):
    """The keys option as {"group.key": value}, in the order given. A key is
    GROUP.KEY, or a GROUP holding a mapping of its keys."""
    flat = {}
    for name, value in (keys or {}).items():
        name = str(name)
        if isinstance(value, dict):
            if '.' in name or not name:
                raise SettingsTextError("keys: '%s' holds a mapping, so it must be a group such as basic" % name)
            pairs = [(name + '.' + str(key), inner) for key, inner in value.items()]
        else:
            pairs = [(name, value)]
        for full, inner in pairs:
            parts = full.split('.')
            if len(parts) != 2 or not all(parts):
                raise SettingsTextError("keys: '%s' is not GROUP.KEY, such as basic.delay_time_ms" % full)
            if isinstance(inner, dict):
                raise SettingsTextError('keys: %s holds a mapping, not a value' % full)
            if full in flat:
                raise SettingsTextError('keys: %s is given twice' % full)
            toml_value(inner, 'keys: ' + full)  # refused here, before anything runs
            flat[full] = inner
    return flat


def render(document):
    """A parsed settings file as text: its plain keys first, then a table for
    each mapping."""
    lines = []
    tables = []
    for key, value in document.items():
        if isinstance(value, dict):
            tables.append((toml_key(key), value))
        else:
            lines.append('%s = %s' % (toml_key(key), toml_value(value, key)))
    while tables:
        header, table = tables.pop(0)
        lines.extend(['', '[%s]' % header])
        inner = []
        for key, value in table.items():
            if isinstance(value, dict):
                inner.append((header + '.' + toml_key(key), value))
            else:
                lines.append('%s = %s' % (toml_key(key), toml_value(value, header + '.' + key)))
        tables[0:0] = inner
    return '\n'.join(lines) + '\n'


def settings_file(content, keys):
    """One settings file from the text of one (`content`) and the keys that
    go over it. Returns (text, made): `made` is false when the text is
    `content` as it was given, so that brisel-ctl's line numbers are its own."""
    flat = flat_keys(keys)
    content = content or ''
    if not flat:
        if not content.strip():
            raise SettingsTextError('give content (the text of a settings file), keys, or both')
        return (content if content.endswith('\n') else content + '\n'), False
    if content.strip():
        if tomllib is None:
            raise SettingsTextError('content and keys together need Python 3.11 or later on the host, '
                                    'which reads TOML; give one of them, or put the keys into content')
        try:
            document = tomllib.loads(content)
        except tomllib.TOMLDecodeError as error:
            raise SettingsTextError('content is not a settings file: %s' % error)
    else:
        document = {'format': FORMAT}
    for full, value in flat.items():
        group, key = full.split('.')
        table = document.setdefault(group, {})
        if not isinstance(table, dict):
            raise SettingsTextError('keys: %s: content has %s as a value, not as a group' % (full, group))
        table[key] = value
    return render(document), True


def shown(value):
    """A value of brisel-ctl's JSON as the settings file writes it."""
    if value is None:
        return '(not read)'
    return toml_value(value, 'value')


def diff_lines(changes):
    """--diff's before and after: a line per changed key, as the settings
    file writes it."""
    before = ''.join('%s = %s\n' % (c['key'], shown(c.get('adapter'))) for c in changes)
    after = ''.join('%s = %s\n' % (c['key'], shown(c.get('file'))) for c in changes)
    return before, after
