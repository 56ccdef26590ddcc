#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: settings
short_description: The DV Brisel adapter holds these settings
description:
  - Makes the DV Brisel (Relavox) adapter on the managed host hold the settings given, as
    C(brisel-ctl restore) does, and reports each key it changed.
  - The text of a settings file (I(content)) and a mapping of keys (I(keys)) become one settings
    file, with the keys over the file's values. It goes to C(brisel-ctl --json restore -) on
    standard input; nothing is copied to the host.
  - A key that is left out keeps the value the adapter holds. Only the groups that differ are
    written, each read back; when the adapter already holds everything, nothing is written, no
    backup is made and the task is C(ok).
  - Before the first write, C(brisel-ctl) saves what the adapter held to an automatic backup
    on the host, whose path the task returns.
  - In check mode the module runs C(brisel-ctl --json restore --dry-run -), which reads the
    adapter and judges the file as a restore does, and writes nothing.
  - C(brisel-ctl) is the only way the module reaches the adapter; it must be installed on the
    host (the Debian package C(brisel-ctl)), and the user must be allowed to use the adapter
    (see "Access to the adapter" in the README of brisel-setting).
version_added: 3.6.0
author:
  - brisel-setting developers
extends_documentation_fragment:
  - brisel.adapter.adapter
options:
  content:
    description:
      - The text of a settings file (TOML, beginning with C(format = 1)), as C(brisel-ctl backup)
        writes it; in a play typically a file of the controller read with the C(file) lookup, as in
        the examples.
      - Given alone, it reaches C(brisel-ctl) as it is, so the line numbers of its messages are
        those of the file.
    type: str
  keys:
    description:
      - Settings by key, over those of I(content), such as the call signs that differ per site,
        from C(host_vars).
      - A key is the group and the key in its table joined by a dot (C(basic.delay_time_ms)), as
        C(brisel-ctl show) lists them; or a group holding a mapping of its keys
        (C(repeater) holding C(alt_my_call)).
      - "How YAML values become the file's: C(true) and C(false) are switches; a whole number
        is a number (C(500)); a bit pattern or byte may be written in hexadecimal, unquoted
        (C(0xF0)), which YAML reads as the number 240, the same value; a quoted value is a text
        (C('N0CALL')), also when it looks like a number, so quote call signs and messages and
        leave numbers and switches unquoted. A key without a value is refused."
      - With I(content) as well, the module reads I(content) as TOML, which needs Python 3.11 or
        later on the host, and writes the two as one file; brisel-ctl's line numbers then count
        in that file, which a failed task returns as I(settings_file).
    type: dict
  skip_missing:
    description:
      - Leave out the groups and settings that the adapter's firmware lacks, instead of failing
        before anything is written.
    type: bool
    default: false
  backup:
    description:
      - Keep the automatic backup that C(brisel-ctl) saves on the host before the first write.
        C(false) writes without one (C(--no-backup)).
    type: bool
    default: true
attributes:
  check_mode:
    support: full
  diff_mode:
    support: full
notes:
  - A task that fails after some groups were written names them and their keys, and the group
    under way when the adapter was lost; C(brisel-ctl diff) shows what the adapter then holds,
    and restoring the automatic backup undoes the task.
  - When brisel-ctl finds the record of an earlier write onto the adapter that was cut short
    (a command killed, a power cut), the task warns, naming the record's file; C(brisel-ctl restore)
    of that file puts back what the adapter held before that write.
  - The exit statuses of brisel-ctl, which a failed task returns as I(exit_status), are listed in
    its manual page, C(man brisel-ctl), under EXIT STATUS.
seealso:
  - module: brisel.adapter.facts
'''

EXAMPLES = r'''
- name: Every site holds the settings of site.toml, with its own call signs
  brisel.adapter.settings:
    content: "{{ lookup('file', 'site.toml') }}"
    keys:
      repeater.my_repeater_call: "{{ repeater_call }}"
      repeater.alt_my_call: "{{ site_call }}"

- name: A few settings by key, on the second adapter of a dual-band site
  brisel.adapter.settings:
    adapter: 1-1.3
    keys:
      basic:
        delay_time_ms: 500
        half_duplex: false
        pre_bit_pattern: 0xF0
      beacon.message: QRV DV
    skip_missing: true

- name: Try a play without the hardware, over an emulated adapter per host
  brisel.adapter.settings:
    content: "{{ lookup('file', 'site.toml') }}"
    demo:
      file: "/tmp/{{ inventory_hostname }}.toml"
'''

RETURN = r'''
changes:
  description: Each key written (in check mode, each that would be), with the value the adapter
    held and the value written, in the settings file's units.
  returned: success
  type: list
  elements: dict
  sample: [{"key": "basic.delay_time_ms", "adapter": 300, "file": 500}]
written:
  description: The groups written completely, in order, each with its changes.
  returned: always, except in check mode
  type: list
  elements: dict
  sample: [{"group": "basic", "changes": [{"key": "basic.delay_time_ms", "adapter": 300, "file": 500}]}]
backup:
  description: The path on the host of the automatic backup of what the adapter held before the
    first write; null when nothing was written or I(backup=false).
  returned: always, except in check mode
  type: str
  sample: /home/op/.local/state/brisel-setting/backups/2026-12-08_101500.toml
exit_status:
  description: brisel-ctl's exit status.
  returned: always, once brisel-ctl ran
  type: int
  sample: 76
message:
  description: brisel-ctl's own message after a failure.
  returned: failure
  type: str
  sample: "The adapter does not hold what was written:\n  basic.delay_time_ms: wrote 500, reads back 300"
written_keys:
  description: The keys written before a failure.
  returned: failure
  type: list
  elements: str
lost_during:
  description: The group being written when the adapter was lost, which may be half written.
  returned: failure
  type: str
not_taken:
  description: The values the adapter does not hold after their group was written, each with
    C(key), C(why), C(written) and C(reads_back), as C(brisel-ctl restore --json) gives them.
  returned: failure
  type: list
  elements: dict
not_sent:
  description: The keys of the groups that differed but were not reached.
  returned: failure
  type: list
  elements: str
notes:
  description: What brisel-ctl said on standard error besides its JSON. The record of an earlier
    write onto the adapter that was cut short, what I(skip_missing) left out, and flag bits the
    adapter keeps, are shown as warnings as well, taken from the JSON.
  returned: always, once brisel-ctl ran
  type: list
  elements: str
settings_file:
  description: The settings file the module made of I(content) and I(keys), to which the line
    numbers of brisel-ctl's messages refer.
  returned: failure, when both were given
  type: str
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.brisel.adapter.plugins.module_utils.brisel_ctl import (
    ADAPTER_OPTIONS, BriselCtlError, adapter_arguments, failure_text, find_program, run)
from ansible_collections.brisel.adapter.plugins.module_utils.settings_text import (
    SettingsTextError, diff_lines, settings_file)



def warnings_of(document):
    """What a play should show as warnings, from brisel-ctl's JSON (its words
    on standard error are for people and may change): the record of an
    earlier write onto the adapter that was cut short, what skip_missing left
    out, and flag bits the adapter keeps as its own."""
    warnings = []
    record = document.get('record')
    if isinstance(record, dict):
        warnings.append('brisel-ctl found the record of an earlier write onto this adapter that was cut short, '
                        '%s: %s' % (record.get('path'), record.get('message')))
    left_out = document.get('left_out') or []
    if left_out:
        names = ['the %s group' % name if '.' not in name else name for name in left_out]
        warnings.append("Left out, as the adapter's firmware lacks them: %s." % ', '.join(names))
    if document.get('fixed_flag_bits'):
        warnings.append('repeater.flag_byte: bits 7 and 4 cannot be changed; they stay as the adapter holds them.')
    return warnings


def changes_of(document):
    """The changes of a restore, or of a dry run."""
    if document.get('dry_run'):
        return list(document.get('changes') or [])
    return [change for group in document.get('written') or [] for change in group.get('changes') or []]


def failure(document, status):
    """The task's message after a failed restore: brisel-ctl's own, then what
    it had written already and the group under way at a loss."""
    text = failure_text(document, status)
    written = [change['key'] for change in changes_of(document)] if not document.get('dry_run') else []
    if written:
        groups = ', '.join(group['group'] for group in document.get('written') or [])
        text += '\nAlready written (groups %s): %s.' % (groups, ', '.join(written))
    if document.get('lost_during'):
        text += ('\nThe group %s was being written when the adapter was lost and may be half written.'
                 % document['lost_during'])
    return text, written


def main():
    argument_spec = dict(
        content=dict(type='str'),
        keys=dict(type='dict'),
        skip_missing=dict(type='bool', default=False),
        backup=dict(type='bool', default=True),
    )
    argument_spec.update(ADAPTER_OPTIONS)
    module = AnsibleModule(argument_spec=argument_spec, supports_check_mode=True,
                           required_one_of=[('content', 'keys')])
    params = module.params

    try:
        text, made = settings_file(params['content'], params['keys'])
    except SettingsTextError as error:
        module.fail_json(msg=str(error))

    args = []
    if module.check_mode:
        args.append('--dry-run')
    if params['skip_missing']:
        args.append('--skip-missing')
    if not params['backup'] and not module.check_mode:
        args.append('--no-backup')

    try:
        program = find_program(module, params['brisel_ctl'])
        args = adapter_arguments(params) + args + ['-']
        status, document, err = run(module, program, 'restore', args, stdin=text)
    except BriselCtlError as error:
        result = dict(msg=str(error), changed=False)
        if error.status is not None:
            result['exit_status'] = error.status
            document = error.document
            if document.get('message'):
                result['message'] = document['message']
            if document.get('command') == 'restore':
                for warning in warnings_of(document):
                    module.warn(warning)
                result['msg'], result['written_keys'] = failure(document, error.status)
                result['changed'] = bool(result['written_keys'])
                # Whatever else brisel-ctl tells of the restore goes along.
                for key, value in document.items():
                    if key not in ('command', 'dry_run', 'exit_status', 'message'):
                        result.setdefault(key, value)
            if made:
                result['settings_file'] = text
        module.fail_json(**result)

    changes = changes_of(document)
    notes = [line for line in err.splitlines() if line.strip()]
    for warning in warnings_of(document):
        module.warn(warning)
    result = dict(changed=bool(changes), changes=changes, exit_status=status, notes=notes)
    if not module.check_mode:
        result['written'] = document.get('written') or []
        result['backup'] = document.get('backup')
    if module._diff:
        before, after = diff_lines(changes)
        result['diff'] = dict(before=before, after=after,
                              before_header='adapter', after_header='settings')
    module.exit_json(**result)


if __name__ == '__main__':
    main()
