# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
# SPDX-License-Identifier: GPL-3.0-or-later
"""The options on their way to brisel-ctl's command line, and its JSON read back."""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import datetime

import pytest

from ansible_collections.brisel.adapter.plugins.module_utils import brisel_ctl


def test_keys_become_set_arguments_in_order():
    # As a play's YAML gives them (YAML 1.1: 0xF0 is 240, no is false).
    keys = {'basic.half_duplex': True, 'basic.crc_check': False, 'basic.pre_bit_pattern': 0xF0,
            'repeater': {'alt_my_call': 'NO', 'my_repeater_call': u'N0RPT  B'},
            'beacon.message': u'0x20 "QRV" \\ Café', 'serial_port.mode': '500', 'basic.delay_time_ms': 500.5}
    assert brisel_ctl.set_arguments(keys) == [
        '--set=basic.half_duplex=true', '--set=basic.crc_check=false', '--set=basic.pre_bit_pattern=240',
        '--set=repeater.alt_my_call=NO', '--set=repeater.my_repeater_call=N0RPT  B',
        u'--set=beacon.message=0x20 "QRV" \\ Café', '--set=serial_port.mode=500', '--set=basic.delay_time_ms=500.5']


@pytest.mark.parametrize('keys, why', [
    ({'delay_time_ms': 500}, "'delay_time_ms' is not GROUP.KEY"),
    ({'basic.x.y': 1}, "'basic.x.y' is not GROUP.KEY"),
    ({'basic.x=y': 1}, "'basic.x=y' is not GROUP.KEY"),
    ({'basic': {'x': {'y': 1}}}, 'basic.x holds a mapping, not a value'),
    ({'basic.x': 1, 'basic': {'x': 2}}, 'basic.x is given twice'),
    ({'basic.x': None}, 'keys: basic.x has no value'),
    ({'beacon.message': datetime.date(2026, 12, 8)}, 'beacon.message holds a date (2026-12-08)'),
    ({'basic.x': [1]}, 'a value of type list cannot stand'),
    ("{'beacon.message': datetime.date(2026, 12, 8)}", 'keys is not a mapping but the text'),
])
def test_keys_refused(keys, why):
    with pytest.raises(brisel_ctl.BriselCtlError) as caught:
        brisel_ctl.set_arguments(keys)
    assert why in str(caught.value)


@pytest.mark.parametrize('out, err, status, why', [
    ('', 'brisel-ctl: unknown option --json\n', 64, "exit status 64); it printed '' and said: brisel-ctl: unknown"),
    ('--json detect\n', '', 0, "it printed '--json detect\\n' and said: nothing"),
    ('x' * 500, '', 0, "it printed '" + 'x' * brisel_ctl.FIRST_BYTES + "'..."),
    ('{"command": "diff"}', 'a\nb\nc\nd\n', 1, 'said: b c d'),
    ('{' + ' ' * brisel_ctl.MAX_OUTPUT + '}', '', 0, 'more than 1048576 bytes'),
    ('', 'The group basic was written.\n', -15, 'ended by signal 15'),
])
def test_not_a_document(out, err, status, why):
    with pytest.raises(brisel_ctl.BriselCtlError) as caught:
        brisel_ctl.read_document(status, out, err)
    assert why in str(caught.value)


@pytest.mark.parametrize('params, args', [
    ({}, []),
    ({'adapter': '1-1.2'}, ['--device=1-1.2']),
    ({'demo': {'file': '/s/north.toml', 'lacking': ['beacon', 'squelch'], 'not_taking': True}},
     ['--demo-file=/s/north.toml', '--lacking=beacon,squelch', '--not-taking']),
    ({'demo': {'file': None, 'lacking': [], 'not_taking': False}}, ['--demo']),
])
def test_adapter_arguments(params, args):
    assert brisel_ctl.adapter_arguments(params) == args


def test_state_folder(monkeypatch):
    monkeypatch.setenv('XDG_STATE_HOME', '/s')
    assert brisel_ctl.state_folder() == '/s/brisel-setting'
    monkeypatch.setenv('XDG_STATE_HOME', 'relative')
    monkeypatch.setenv('HOME', '/home/op')
    assert brisel_ctl.state_folder() == '/home/op/.local/state/brisel-setting'
