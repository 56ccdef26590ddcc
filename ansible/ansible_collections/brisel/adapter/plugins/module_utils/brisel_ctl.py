# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
# SPDX-License-Identifier: GPL-3.0-or-later
"""brisel-ctl --json on the managed host: the modules' only way to the adapter.

Each call runs one brisel-ctl command with --json and takes back the one JSON
object it prints on standard output, with its exit status; brisel-ctl's own
message (the same words it puts on standard error) comes with a failure.
"""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import datetime
import errno
import json
import os
import re

from ansible.module_utils.six import integer_types, string_types

# brisel-ctl prints one line of a few kilobytes; more is not its output.
MAX_OUTPUT = 1024 * 1024
# What a failure shows of output that is not brisel-ctl's JSON.
FIRST_BYTES = 120
# A key as brisel-ctl names it: group and key joined by a dot.
KEY = re.compile(r'^[a-z0-9_]+\.[a-z0-9_]+$')

# The options of every module that say which adapter brisel-ctl talks to;
# plugins/doc_fragments/adapter.py documents them.
ADAPTER_OPTIONS = dict(
    adapter=dict(type='str'),
    brisel_ctl=dict(type='path', default='brisel-ctl'),
    demo=dict(
        type='dict',
        options=dict(
            file=dict(type='path'),
            lacking=dict(type='list', elements='str', default=[]),
            not_taking=dict(type='bool', default=False),
        ),
    ),
)


class BriselCtlError(Exception):
    """A brisel-ctl run that failed, with its status and its JSON object."""

    def __init__(self, message, status=None, document=None):
        super(BriselCtlError, self).__init__(message)
        self.status = status
        self.document = document or {}


def find_program(module, name):
    """The path of brisel-ctl on the host: `name` itself when it holds a
    slash, else found on PATH."""
    if '/' in name:
        if os.path.isfile(name) and os.access(name, os.X_OK):
            return name
        raise BriselCtlError('brisel-ctl was not found on the host at %s; install the package '
                             'brisel-ctl there, or name the program with brisel_ctl' % name)
    path = module.get_bin_path(name)
    if path is None:
        raise BriselCtlError('%s was not found on the host (PATH: %s); install the package brisel-ctl '
                             'there, or name the program with brisel_ctl'
                             % (name, os.environ.get('PATH', '')))
    return path


def adapter_arguments(params):
    """The brisel-ctl options that choose the adapter, from the module's
    adapter and demo options."""
    args = []
    demo = params.get('demo')
    if demo is not None:
        if params.get('adapter'):
            raise BriselCtlError('adapter and demo cannot go together: demo stands for the adapter')
        if demo.get('file'):
            args.append('--demo-file=' + demo['file'])
        else:
            args.append('--demo')
        if demo.get('lacking'):
            args.append('--lacking=' + ','.join(demo['lacking']))
        if demo.get('not_taking'):
            args.append('--not-taking')
    elif params.get('adapter'):
        args.append('--device=' + params['adapter'])
    return args


def value_text(key, value):
    """A value of the keys option as brisel-ctl set takes it: YAML's switches
    and whole numbers as such, texts as they are."""
    if isinstance(value, bool):
        return 'true' if value else 'false'
    if isinstance(value, integer_types):
        return str(value)
    if isinstance(value, string_types):
        return value
    if isinstance(value, (datetime.date, datetime.datetime)):
        raise BriselCtlError('keys: %s holds a date (%s), as YAML reads an unquoted date; quote it to give a text'
                             % (key, value))
    if value is None:
        raise BriselCtlError('keys: %s has no value' % key)
    if isinstance(value, float):
        return repr(value)
    raise BriselCtlError('keys: %s: a value of type %s cannot stand in a settings file'
                         % (key, type(value).__name__))


def flat_keys(keys):
    """The keys option as (key, value) pairs, in the order given: GROUP.KEY
    entries and groups holding mappings of their keys."""
    pairs = []
    seen = set()
    if keys is not None and not isinstance(keys, dict):
        # A templated mapping ("{{ item }}") holding a value that YAML read as
        # a date reaches the module as the mapping's Python text.
        raise BriselCtlError('keys is not a mapping but the text %r; a value that YAML reads as a date '
                             '(2026-12-08) turns a templated mapping into such a text: quote dates'
                             % str(keys)[:FIRST_BYTES])
    for name, value in (keys or {}).items():
        name = str(name)
        if isinstance(value, dict) and '.' not in name:
            inner = [('%s.%s' % (name, key), item) for key, item in value.items()]
        else:
            inner = [(name, value)]
        for key, item in inner:
            if not KEY.match(key):
                raise BriselCtlError('keys: %r is not GROUP.KEY, as brisel-ctl show lists them' % key)
            if isinstance(item, dict):
                raise BriselCtlError('keys: %s holds a mapping, not a value' % key)
            if key in seen:
                raise BriselCtlError('keys: %s is given twice' % key)
            seen.add(key)
            pairs.append((key, value_text(key, item)))
    return pairs


def set_arguments(keys):
    """The --set arguments of brisel-ctl restore and render for the keys
    option; brisel-ctl checks each value as set does."""
    return ['--set=%s=%s' % pair for pair in flat_keys(keys)]


def state_folder():
    """The folder in which brisel-ctl keeps its automatic backups and records
    of writes on this host, for the user the module runs as (under become,
    that user's)."""
    state = os.environ.get('XDG_STATE_HOME', '')
    if not state.startswith('/'):
        state = os.path.join(os.path.expanduser('~'), '.local', 'state')
    return os.path.join(state, 'brisel-setting')


def read_document(status, out, err):
    """brisel-ctl's JSON object from its output; a failure when there is
    none, naming what it said instead."""
    if len(out) > MAX_OUTPUT:
        raise BriselCtlError('brisel-ctl printed more than %d bytes, which is not its JSON' % MAX_OUTPUT, status)
    try:
        document = json.loads(out)
    except ValueError:
        document = None
    if not isinstance(document, dict) or 'exit_status' not in document:
        # A signal (an ssh drop, a stop) may end it before its JSON; what it
        # had written it says on standard error.
        ended = 'ended by signal %d' % -status if status < 0 else 'exit status %s' % status
        said = ' '.join(err.strip().splitlines()[-3:]) or 'nothing'
        printed = repr(out[:FIRST_BYTES]) + ('...' if len(out) > FIRST_BYTES else '')
        raise BriselCtlError('brisel-ctl gave no JSON object (%s); it printed %s and said: %s'
                             % (ended, printed, said), status)
    return document


def failure_text(document, status):
    """brisel-ctl's own message and status."""
    message = document.get('message') or 'no message'
    return 'brisel-ctl %s ended with status %s: %s' % (document.get('command') or '', status, message)


def run(module, program, command, args, stdin=None, accept=(0,)):
    """Runs `brisel-ctl --json COMMAND ARGS...`, with `stdin` (a text) on
    standard input, and returns (status, document, standard error). A status
    not in `accept` raises BriselCtlError with brisel-ctl's message."""
    argv = [program, '--json', command] + list(args)
    data = None
    if stdin is not None:
        data = stdin.encode('utf-8')
    try:
        status, out, err = module.run_command(argv, data=data, binary_data=True, encoding=None,
                                              handle_exceptions=False)
    except (OSError, IOError) as error:
        if error.errno != errno.EPIPE:
            raise BriselCtlError('%s could not be run: %s' % (program, error), 2)
        # A program that ends without reading what it was given is not
        # brisel-ctl, which reads its standard input whole first.
        raise BriselCtlError('brisel-ctl gave no JSON object (it did not read its standard input); '
                             '%s is not brisel-ctl' % program, 2)
    out = out.decode('utf-8', 'replace')
    err = err.decode('utf-8', 'replace')
    document = read_document(status, out, err)
    if status not in accept:
        raise BriselCtlError(failure_text(document, status), status, document)
    return status, document, err
