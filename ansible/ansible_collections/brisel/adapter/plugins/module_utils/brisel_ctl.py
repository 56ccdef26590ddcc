# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
"""brisel-ctl --json on the managed host: the modules' only way to the adapter.

Each call runs one brisel-ctl command with --json and takes back the one JSON
object it prints on standard output, with its exit status; brisel-ctl's own
message (the same words it puts on standard error) comes with a failure.
"""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json
import os

# brisel-ctl prints one line of a few kilobytes; more is not its output.
MAX_OUTPUT = 1024 * 1024

# The options of every module that say which adapter brisel-ctl talks to;
# plugins/doc_fragments/adapter.py documents them.
ADAPTER_OPTIONS = dict(
    adapter=dict(type='str'),
    brisel_ctl=dict(type='str', default='brisel-ctl'),
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
        raise BriselCtlError('brisel-ctl gave no JSON object (%s); it said: %s' % (ended, said), status)
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
    status, out, err = module.run_command(argv, data=data, binary_data=True, encoding=None)
    out = out.decode('utf-8', 'replace')
    err = err.decode('utf-8', 'replace')
    document = read_document(status, out, err)
    if status not in accept:
        raise BriselCtlError(failure_text(document, status), status, document)
    return status, document, err
