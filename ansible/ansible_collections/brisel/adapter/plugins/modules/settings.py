#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
# SPDX-License-Identifier: GPL-3.0-or-later

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: settings
short_description: The DV Brisel adapter holds these settings
description:
  - Makes the DV Brisel (Relavox) adapter on the managed host hold the settings given, as
    C(brisel-ctl restore) does, and reports each key it changed.
  - The text of a settings file (I(content)) goes to C(brisel-ctl --json restore -) on standard
    input, and each of I(keys) as C(--set KEY=VALUE) over the file's values; brisel-ctl checks
    them as C(brisel-ctl set) does. Nothing is copied to the host, and the module reads no TOML, so
    any Python the collection supports on the host will do.
  - A key that is left out keeps the value the adapter holds. Only the groups that differ are
    written, each read back; when the adapter already holds everything, nothing is written, no
    backup is made and the task is C(ok).
  - Before the first write, C(brisel-ctl) saves what the adapter held to an automatic backup
    on the host, whose path the task returns; I(backup_options) fetches it to the controller.
  - In check mode the module runs C(brisel-ctl --json restore --dry-run -), which reads the
    adapter and judges the file as a restore does, and writes nothing.
  - I(state=rendered) returns the settings file the task would restore, made by
    C(brisel-ctl render) without opening any adapter, so that a CI job can review a change before
    any site sees it.
  - I(state=rolled_back) puts the adapter back to the newest automatic backup on the host, or to
    I(rollback_to), in one task.
  - C(brisel-ctl) is the only way the module reaches the adapter; it must be installed on the
    host (the Debian package C(brisel-ctl)), and the user must be allowed to use the adapter
    (see "Access to the adapter" in the README of brisel-setting).
version_added: 3.6.0
author:
  - brisel-setting developers (!UNKNOWN)
extends_documentation_fragment:
  - brisel.adapter.adapter
options:
  state:
    description:
      - C(present) makes the adapter hold the settings given.
      - C(rendered) only returns the settings file, as I(rendered), without the adapter.
      - C(rolled_back) restores an automatic backup (see I(rollback_to)); it needs I(adapter) (or
        I(demo)), so that the backup goes back to the adapter it was taken of.
    type: str
    choices: [present, rendered, rolled_back]
    default: present
  content:
    description:
      - The text of a settings file (TOML, beginning with C(format = 1)), as C(brisel-ctl backup)
        writes it; in a play typically a file of the controller read with the C(file) lookup, as in
        the examples. It reaches C(brisel-ctl) as it is, so the line numbers of its messages are
        those of the file.
    type: str
  keys:
    description:
      - Settings by key, over those of I(content), such as the call signs that differ per site,
        from C(host_vars). Each becomes one C(--set KEY=VALUE) of C(brisel-ctl restore).
      - A key is the group and the key in its table joined by a dot (C(basic.delay_time_ms)), as
        C(brisel-ctl show) lists them; or a group holding a mapping of its keys
        (C(repeater) holding C(alt_my_call)).
      - "How YAML values reach brisel-ctl: C(true) and C(false) are switches; a whole number is
        a number (C(500)); a bit pattern or byte may be written in hexadecimal, unquoted
        (C(0xF0)), which YAML reads as the number 240, the same value; a quoted value is a text
        (C('N0CALL')). Quote call signs and messages; leave numbers and switches unquoted. A
        text beginning with a quote is read as a TOML string. A key without a value is refused."
      - "YAML 1.1, as Ansible reads it, takes an unquoted C(010) as the octal number 8 and an
        unquoted C(2026-12-08) as a date: write numbers in decimal (ansible-lint's rule
        C(yaml[octal-values]) finds such octal values) and quote dates; a date fails the task."
      - The values are settings, not secrets, so they are logged (C(no_log=false)).
    type: dict
  skip_missing:
    description:
      - Leave out the groups and settings that the adapter's firmware lacks, instead of failing
        before anything is written. What was left out is returned as I(left_out), and a warning
        names it when the task changed something.
    type: bool
    default: false
  backup:
    description:
      - Keep the automatic backup that C(brisel-ctl) saves on the host before the first write.
        C(false) writes without one (C(--no-backup)).
    type: bool
    default: true
  backup_options:
    description:
      - Fetch the automatic backup, when one was made, to the controller. The backup also stays
        on the host; neither brisel-ctl nor the module deletes a backup.
    type: dict
    suboptions:
      dir_path:
        description:
          - The folder on the controller, made when missing; a relative path is taken from the
            playbook's folder.
        type: path
        default: backup
      filename:
        description:
          - The file's name; by default the inventory name of the host, C(_) and the backup's own
            name.
        type: str
  drift:
    description:
      - What to do about keys of the groups the task names that the task itself does not name,
        and which hold another value than in the newest automatic backup on the host (so were
        changed since the last restore, by hand or by another program).
      - C(ignore) does not look. C(report) returns them as I(drift) and shows them in the diff.
        C(fail) fails the task on them before anything is written.
      - Without any automatic backup on the host there is nothing to compare with, and no drift.
    type: str
    choices: [ignore, report, fail]
    default: ignore
  rollback_to:
    description:
      - With I(state=rolled_back), the settings file on the host to restore; by default the
        newest automatic backup in I(backup_folder).
    type: path
attributes:
  check_mode:
    description: Can run in check_mode and return changed status prediction without modifying target.
    support: full
  diff_mode:
    description: Will return details on what has changed (or possibly needs changing in check_mode), when in diff mode.
    support: full
notes:
  - A task that fails after some groups were written names them and their keys, and the group
    under way when the adapter was lost (the task is then C(changed)); C(brisel-ctl diff) shows
    what the adapter then holds, and I(state=rolled_back) undoes the task.
  - When the adapter was lost in the middle of a group's writes, the failed task names that group
    and its keys that reached the adapter, the one that may have and those never sent (returned
    as I(cut_short)). The record of that restore stays on the host until a later write writes
    that group completely, and every task on that adapter warns of it until then.
  - When brisel-ctl finds the record of an earlier write onto the adapter that was cut short
    (a command killed, a power cut), the task warns, naming the record's file; C(brisel-ctl restore)
    of that file puts back what the adapter held before that write.
  - The automatic backups and records are kept in C($XDG_STATE_HOME/brisel-setting) of the user
    the module runs as, by default C(~/.local/state/brisel-setting); under C(become) that is the
    become user's (root's C(/root/.local/state/brisel-setting)), not the login user's. The task
    returns the folder as I(backup_folder).
  - The exit statuses of brisel-ctl, which a failed task returns as I(exit_status), are listed in
    its manual page, C(man brisel-ctl), under EXIT STATUS.
  - The options can be set once for the collection's modules with C(module_defaults) and the
    group C(group/brisel.adapter.adapter).
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
    backup_options:
      dir_path: backups

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

- name: The file the sites would get, for review, without any adapter
  brisel.adapter.settings:
    state: rendered
    content: "{{ lookup('file', 'site.toml') }}"
    keys:
      repeater.alt_my_call: DL1ABC
  delegate_to: localhost
  register: review

- name: Put the adapter back to what it held before the last restore
  brisel.adapter.settings:
    state: rolled_back
    adapter: 1-1.2

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
  description: The groups written completely, in order, each with its changes; in check mode
    an empty list.
  returned: success
  type: list
  elements: dict
  sample: [{"group": "basic", "changes": [{"key": "basic.delay_time_ms", "adapter": 300, "file": 500}]}]
backup:
  description: The path on the host of the automatic backup of what the adapter held before the
    first write; null when nothing was written, in check mode, or with I(backup=false).
  returned: success
  type: str
  sample: /home/op/.local/state/brisel-setting/backups/2026-12-08_101500.toml
backup_fetched:
  description: With I(backup_options), where on the controller the backup was fetched to.
  returned: when a backup was made and fetched
  type: str
  sample: backups/north_2026-12-08_101500.toml
backup_folder:
  description: The folder on the host that holds the automatic backups of the user the module
    ran as.
  returned: always
  type: str
  sample: /home/op/.local/state/brisel-setting/backups
left_out:
  description: What I(skip_missing) left out, each a group's name or a key.
  returned: success
  type: list
  elements: str
  sample: [beacon]
drift:
  description: With I(drift=report) or C(fail), each key of the groups the task names that the
    task does not name and whose value differs from the newest automatic backup.
  returned: when I(drift) is not C(ignore)
  type: list
  elements: dict
  sample: [{"key": "basic.time_out_s", "adapter": 200, "backup": 180}]
rendered:
  description: With I(state=rendered), the settings file the task would restore.
  returned: when I(state=rendered)
  type: str
rolled_back_to:
  description: With I(state=rolled_back), the settings file on the host that was restored.
  returned: when I(state=rolled_back)
  type: str
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
status:
  description: After a failure to reach the adapter, its state as brisel-ctl names it
    (C(not_found), C(in_use), C(no_permission)).
  returned: failure
  type: str
written_keys:
  description: The keys written before a failure.
  returned: failure
  type: list
  elements: str
lost_during:
  description: The group being written when the adapter was lost, which may be half written.
  returned: failure
  type: str
cut_short:
  description: When the adapter was lost in the middle of the writes of I(lost_during), that group
    (C(group)) and the lists of its keys whose writes returned before the loss (C(reached)), the
    key whose write was under way (C(may_have_reached)) and those never sent (C(not_sent)), as
    C(brisel-ctl restore --json) gives them; null when there was no such loss.
  returned: failure
  type: dict
  sample: {"group": "repeater", "reached": ["repeater.my_repeater_call", "repeater.alt_my_call"],
           "may_have_reached": ["repeater.alt_my_call2"], "not_sent": ["repeater.alt_your_call"]}
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
'''

import os

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.brisel.adapter.plugins.module_utils.brisel_ctl import (
    ADAPTER_OPTIONS, BriselCtlError, adapter_arguments, failure_text, find_program, run,
    set_arguments, state_folder)

EMPTY_FILE = 'format = 1\n'


def warnings_of(document, changed):
    """What a play should show as warnings, from the fields of brisel-ctl's
    JSON: the record of an earlier write onto the adapter that was cut short,
    what skip_missing left out (only when the task changed something, so that
    an idempotent run stays quiet), flag bits the adapter keeps, and the
    record this restore leaves when the adapter was lost in the middle of a
    group."""
    warnings = []
    record = document.get('record')
    if isinstance(record, dict):
        warnings.append('brisel-ctl found the record of an earlier write onto this adapter that was cut short, '
                        '%s: %s' % (record.get('path'), record.get('message')))
    cut = document.get('cut_short')
    if isinstance(cut, dict):
        warnings.append('The group %s may be half written: brisel-ctl keeps the record of this restore until a '
                        'later write writes that group completely, and every task on this adapter warns of it '
                        'until then.' % cut.get('group'))
    left_out = document.get('left_out') or []
    if left_out and changed:
        warnings.append("Left out, as the adapter's firmware lacks them: %s." % ', '.join(left_out))
    if document.get('fixed_flag_bits'):
        warnings.append('repeater.flag_byte: bits 7 and 4 stay as the adapter holds them.')
    return warnings


def changes_of(document):
    """The changes of a restore, or of a dry run."""
    if document.get('dry_run'):
        return list(document.get('changes') or [])
    return [change for group in document.get('written') or [] for change in group.get('changes') or []]


def shown(value):
    return 'true' if value is True else 'false' if value is False else \
        '(not read)' if value is None else '"%s"' % value if not isinstance(value, int) else str(value)


def diff_lines(changes, drift=()):
    """--diff's before and after: a line per key changed, and the drift
    found, as a comment after them."""
    before = ''.join('%s = %s\n' % (c['key'], shown(c['adapter'])) for c in changes)
    after = ''.join('%s = %s\n' % (c['key'], shown(c['file'])) for c in changes)
    after += ''.join('# drift, not named by the task: %s = %s (the newest backup holds %s)\n'
                     % (d['key'], shown(d['adapter']), shown(d['backup'])) for d in drift)
    return before, after


def failure(document, status):
    """The task's message after a failed restore: brisel-ctl's own, then what
    it had written already and the group under way at a loss, with how far
    its writes came."""
    text = failure_text(document, status)
    written = [change['key'] for change in changes_of(document)] if not document.get('dry_run') else []
    if written:
        groups = ', '.join(group['group'] for group in document.get('written') or [])
        text += '\nAlready written (groups %s): %s.' % (groups, ', '.join(written))
    cut = document.get('cut_short')
    if isinstance(cut, dict):
        text += ('\nThe group %s was being written when the adapter was lost and may be half written.'
                 % cut.get('group'))
        for key, words in (('reached', 'Reached the adapter'), ('may_have_reached', 'May have reached it'),
                           ('not_sent', 'Never sent')):
            if cut.get(key):
                text += '\n  %s: %s.' % (words, ', '.join(cut[key]))
    elif 'cut_short' in document and document.get('lost_during'):
        text += ('\nThe group %s was sent completely, but the adapter was lost while it was read back.'
                 % document['lost_during'])
    elif document.get('lost_during'):
        # A brisel-ctl without cut_short: how far the group came is not known.
        text += ('\nThe group %s was being written when the adapter was lost and may be half written.'
                 % document['lost_during'])
    return text, written


def newest_backup(folder):
    """The newest automatic backup in `folder`, or None. Their names are the
    local time of the backup, so the last name is the newest."""
    try:
        names = sorted(name for name in os.listdir(folder) if name.endswith('.toml'))
    except OSError:
        return None
    return os.path.join(folder, names[-1]) if names else None


def find_drift(module, program, chosen, text, sets, folder):
    """The keys of the task's groups that it does not name and that differ
    from the newest automatic backup, read through brisel-ctl."""
    reference = newest_backup(folder)
    if reference is None:
        return []
    named = run(module, program, 'render', ['-'] + sets, stdin=text)[1].get('settings') or {}
    held = run(module, program, 'show', chosen + sorted(named))[1].get('settings') or {}
    backup = run(module, program, 'render', [reference])[1].get('settings') or {}
    drift = []
    for group in sorted(named):
        for key, value in (held.get(group) or {}).items():
            if key in named[group] or key not in (backup.get(group) or {}):
                continue
            if backup[group][key] != value:
                drift.append(dict(key='%s.%s' % (group, key), adapter=value, backup=backup[group][key]))
    return drift


def fail_restore(module, error, folder):
    result = dict(msg=str(error), changed=False, backup_folder=folder)
    if error.status is not None:
        result['exit_status'] = error.status
        document = error.document
        for key in ('message', 'status'):
            if document.get(key):
                result[key] = document[key]
        if document.get('command') == 'restore':
            result['msg'], result['written_keys'] = failure(document, error.status)
            # A group lost half way has changed the adapter too.
            result['changed'] = bool(result['written_keys'] or document.get('lost_during'))
            for warning in warnings_of(document, result['changed']):
                module.warn(warning)
            # Whatever else brisel-ctl tells of the restore goes along.
            for key, value in document.items():
                if key not in ('command', 'dry_run', 'exit_status', 'message'):
                    result.setdefault(key, value)
    module.fail_json(**result)


def main():
    argument_spec = dict(
        state=dict(type='str', default='present', choices=['present', 'rendered', 'rolled_back']),
        content=dict(type='str'),
        keys=dict(type='dict', no_log=False),
        skip_missing=dict(type='bool', default=False),
        backup=dict(type='bool', default=True),
        backup_options=dict(type='dict', options=dict(
            dir_path=dict(type='path', default='backup'),
            filename=dict(type='str'),
        )),
        drift=dict(type='str', default='ignore', choices=['ignore', 'report', 'fail']),
        rollback_to=dict(type='path'),
    )
    argument_spec.update(ADAPTER_OPTIONS)
    module = AnsibleModule(
        argument_spec=argument_spec, supports_check_mode=True,
        mutually_exclusive=[('adapter', 'demo'), ('rollback_to', 'content'), ('rollback_to', 'keys')],
        required_if=[('state', 'present', ('content', 'keys'), True),
                     ('state', 'rendered', ('content', 'keys'), True),
                     ('state', 'rolled_back', ('adapter', 'demo'), True)])
    params = module.params
    folder = os.path.join(state_folder(), 'backups')
    state = params['state']

    try:
        program = find_program(module, params['brisel_ctl'])
        text = params['content'] if params['content'] is not None else EMPTY_FILE
        sets = set_arguments(params['keys'])
        if state == 'rendered':
            document = run(module, program, 'render', ['-'] + sets, stdin=text)[1]
            module.exit_json(changed=False, rendered=document.get('file'), settings=document.get('settings'),
                             backup_folder=folder)
        chosen = adapter_arguments(params)
        drift = []
        if state == 'rolled_back':
            source = params['rollback_to'] or newest_backup(folder)
            if source is None:
                module.fail_json(msg='No automatic backup in %s to roll back to' % folder, backup_folder=folder)
            file_args, text = [source], None
        else:
            file_args = ['-'] + sets
            if params['drift'] != 'ignore':
                drift = find_drift(module, program, chosen, text, sets, folder)
                if drift and params['drift'] == 'fail':
                    module.fail_json(msg='Drift in keys the task does not name: %s'
                                     % ', '.join(d['key'] for d in drift), drift=drift, backup_folder=folder)
        args = list(chosen)
        if module.check_mode:
            args.append('--dry-run')
        if params['skip_missing']:
            args.append('--skip-missing')
        if not params['backup'] and not module.check_mode:
            args.append('--no-backup')
        status, document, err = run(module, program, 'restore', args + file_args, stdin=text)
    except BriselCtlError as error:
        fail_restore(module, error, folder)

    changes = changes_of(document)
    for warning in warnings_of(document, bool(changes)):
        module.warn(warning)
    result = dict(changed=bool(changes), changes=changes, exit_status=status,
                  notes=[line for line in err.splitlines() if line.strip()],
                  written=[] if module.check_mode else document.get('written') or [],
                  backup=None if module.check_mode else document.get('backup'),
                  backup_folder=folder, left_out=document.get('left_out') or [])
    if state == 'rolled_back':
        result['rolled_back_to'] = file_args[0]
    elif params['drift'] != 'ignore':
        result['drift'] = drift
    if module._diff:
        before, after = diff_lines(changes, drift)
        result['diff'] = dict(before=before, after=after, before_header='adapter', after_header='settings')
    module.exit_json(**result)


if __name__ == '__main__':
    main()
