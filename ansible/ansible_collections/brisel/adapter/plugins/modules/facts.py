#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
# SPDX-License-Identifier: GPL-3.0-or-later

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: facts
short_description: The DV Brisel adapters on the host, their firmware, features and settings
description:
  - Gathers, as the fact C(brisel_adapters), every DV Brisel (Relavox) adapter on the managed
    host's USB buses, as C(brisel-ctl --json detect) lists them, and for each one that can be
    used its firmware, its optional features and the settings it holds
    (C(brisel-ctl --json show)).
  - It only reads. An adapter that cannot be used (in use by another program, no permission) is
    listed with its C(status) and brisel-ctl's C(message), both from brisel-ctl's JSON; a host
    without an adapter gives an empty list, and an I(adapter) that is not there an entry with
    C(status=not_found).
version_added: 3.6.0
author:
  - brisel-setting developers (!UNKNOWN)
extends_documentation_fragment:
  - brisel.adapter.adapter
options:
  settings:
    description:
      - Read each adapter's settings as well; C(false) leaves out C(settings) and asks the
        adapter only for its firmware and features.
    type: bool
    default: true
attributes:
  check_mode:
    description: Can run in check_mode and return changed status prediction without modifying target.
    support: full
  diff_mode:
    description: Will return details on what has changed (or possibly needs changing in check_mode), when in diff mode.
    support: none
  facts:
    description: Action returns an C(ansible_facts) dictionary that will update existing host facts.
    support: full
seealso:
  - module: brisel.adapter.settings
'''

EXAMPLES = r'''
- name: Look at the adapters
  brisel.adapter.facts:

- name: Name the sites whose first adapter has no beacon
  ansible.builtin.debug:
    msg: "{{ inventory_hostname }}: {{ brisel_adapters[0].firmware }} has no beacon"
  when: brisel_adapters and not brisel_adapters[0].features.beacon

- name: The call sign the first adapter holds
  ansible.builtin.debug:
    var: brisel_adapters[0].settings.repeater.my_repeater_call
'''

RETURN = r'''
ansible_facts:
  description: The facts gathered.
  returned: always
  type: complex
  contains:
    brisel_adapters:
      description:
        - One entry per adapter, in bus order (with I(demo), the one emulated adapter). Besides
          what C(detect) gives for the adapter (C(bus), C(device), C(port), C(node)), each holds
          C(status) (C(opened), C(not_found), C(in_use) or C(no_permission)) and then either
          C(firmware), C(features) and C(settings) (one mapping per group, its keys and values
          in the settings file's units) or C(message).
      returned: always
      type: list
      elements: dict
      sample:
        - bus: 1
          device: 7
          port: 1-1.2
          node: /dev/bus/usb/001/007
          status: opened
          firmware: DV Brisel PIC V01.07
          features: {slow_data: true, beacon: true, serial_port_and_gps: true, sn_squelch: true,
                     jitter_buffer: true}
          settings: {basic: {delay_time_ms: 300, half_duplex: false},
                     repeater: {my_repeater_call: "N0RPT  A"}}
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.brisel.adapter.plugins.module_utils.brisel_ctl import (
    ADAPTER_OPTIONS, BriselCtlError, adapter_arguments, find_program, run)

# The exit statuses of detect that describe an adapter rather than fail the
# task: none there, lost while asked, in use, no permission.
DETECT_STATUSES = (0, 69, 74, 75, 77)
# What detect says of the adapter it opened, kept in the facts.
OPENED_KEYS = ('demo', 'status', 'firmware', 'features', 'message', 'owner', 'group', 'mode', 'udev_rules')


def choice_of(adapter):
    """The --device of one adapter of detect's list: its port, which stays,
    or else its bus and device number."""
    if adapter.get('port'):
        return adapter['port']
    return '%s:%s' % (adapter['bus'], adapter['device'])


def describe(module, program, chosen, read_settings):
    """One adapter's entry: what detect says of it and, when it opens, the
    settings that show gives."""
    found = run(module, program, 'detect', chosen, accept=DETECT_STATUSES)[1]
    entry = {}
    for adapter in found.get('adapters') or []:
        if adapter.get('used'):
            entry.update((key, value) for key, value in adapter.items() if key != 'used')
    entry.update((key, found[key]) for key in OPENED_KEYS if key in found)
    if found.get('status') == 'opened' and read_settings:
        status, shown = run(module, program, 'show', chosen, accept=DETECT_STATUSES)[:2]
        if status == 0:
            entry['settings'] = shown.get('settings') or {}
        else:
            entry['settings'] = None
            entry['message'] = shown.get('message')
            entry['status'] = shown.get('status') or entry.get('status')
    return found, entry


def main():
    argument_spec = dict(settings=dict(type='bool', default=True))
    argument_spec.update(ADAPTER_OPTIONS)
    module = AnsibleModule(argument_spec=argument_spec, supports_check_mode=True,
                           mutually_exclusive=[('adapter', 'demo')])
    params = module.params

    try:
        program = find_program(module, params['brisel_ctl'])
        chosen = adapter_arguments(params)
        found, entry = describe(module, program, chosen, params['settings'])
        adapters = []
        if params['demo'] is not None or params['adapter']:
            # One adapter: the emulated one, or the one asked for, also
            # when it is not there (status not_found).
            entry.setdefault('status', found.get('status'))
            adapters.append(entry)
        elif found.get('adapters'):
            adapters.append(entry)
            # The first was the one detect used; then every other.
            for other in found['adapters'][1:]:
                adapters.append(describe(module, program, ['--device=' + choice_of(other)],
                                         params['settings'])[1])
    except BriselCtlError as error:
        result = dict(msg=str(error))
        if error.status is not None:
            result['exit_status'] = error.status
            for key in ('message', 'status'):
                if error.document.get(key):
                    result[key] = error.document[key]
        module.fail_json(**result)

    module.exit_json(changed=False, ansible_facts=dict(brisel_adapters=adapters))


if __name__ == '__main__':
    main()
