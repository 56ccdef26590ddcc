# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
# SPDX-License-Identifier: GPL-3.0-or-later
"""The settings module's own logic: its message after a failed restore, its
warnings, its diff, and the backup it rolls back to."""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import pytest

from ansible_collections.brisel.adapter.plugins.modules import settings

DELAY = {'key': 'basic.delay_time_ms', 'adapter': 300, 'file': 500}
CALL = {'key': 'repeater.alt_my_call', 'adapter': 'N0CALL  ', 'file': 'DL1ABC'}
CUT = {'group': 'repeater', 'reached': ['repeater.my_repeater_call', 'repeater.alt_my_call'],
       'may_have_reached': ['repeater.alt_my_call2'], 'not_sent': ['repeater.alt_your_call', 'repeater.flag_byte']}


@pytest.mark.parametrize('document, status, text, written', [
    ({'command': 'restore', 'written': [], 'message': 'lacks the beacon group'}, 76,
     'brisel-ctl restore ended with status 76: lacks the beacon group', []),
    ({'command': 'restore', 'lost_during': 'repeater', 'message': 'lost',
      'written': [{'group': 'basic', 'changes': [DELAY]}]}, 74,
     'brisel-ctl restore ended with status 74: lost\nAlready written (groups basic): basic.delay_time_ms.\n'
     'The group repeater was being written when the adapter was lost and may be half written.',
     ['basic.delay_time_ms']),
    # How far the group came: its keys that reached the adapter, the one
    # that may have and those never sent.
    ({'command': 'restore', 'lost_during': 'repeater', 'message': 'lost', 'written': [],
      'cut_short': CUT}, 74,
     'brisel-ctl restore ended with status 74: lost\n'
     'The group repeater was being written when the adapter was lost and may be half written.\n'
     '  Reached the adapter: repeater.my_repeater_call, repeater.alt_my_call.\n'
     '  May have reached it: repeater.alt_my_call2.\n'
     '  Never sent: repeater.alt_your_call, repeater.flag_byte.', []),
    # Lost while the group was read back, every write of it returned.
    ({'command': 'restore', 'lost_during': 'basic', 'cut_short': None, 'message': 'lost', 'written': []}, 74,
     'brisel-ctl restore ended with status 74: lost\n'
     'The group basic was sent completely, but the adapter was lost while it was read back.', []),
    ({'command': 'restore', 'dry_run': True, 'changes': [DELAY], 'message': 'bad'}, 65,
     'brisel-ctl restore ended with status 65: bad', []),
])
def test_failure(document, status, text, written):
    assert settings.failure(document, status) == (text, written)


@pytest.mark.parametrize('document, changed, warnings', [
    ({'written': []}, False, []),
    ({'record': {'path': '/s/interrupted-1-1.2.toml', 'message': 'A restore was cut short.'}}, False,
     ['brisel-ctl found the record of an earlier write onto this adapter that was cut short, '
      '/s/interrupted-1-1.2.toml: A restore was cut short.']),
    # What skip_missing left out is told only when the task changed something.
    ({'left_out': ['beacon', 'basic.squelch_level']}, False, []),
    ({'left_out': ['beacon', 'basic.squelch_level']}, True,
     ["Left out, as the adapter's firmware lacks them: beacon, basic.squelch_level."]),
    ({'fixed_flag_bits': True}, False, ['repeater.flag_byte: bits 7 and 4 stay as the adapter holds them.']),
    ({'cut_short': CUT, 'lost_during': 'repeater'}, True,
     ['The group repeater may be half written: brisel-ctl keeps the record of this restore until a later write '
      'writes that group completely, and every task on this adapter warns of it until then.']),
    ({'cut_short': None, 'lost_during': 'basic'}, True, []),
])
def test_warnings_from_the_json(document, changed, warnings):
    assert settings.warnings_of(document, changed) == warnings


def test_diff_a_line_per_key_and_drift():
    before, after = settings.diff_lines(
        [DELAY, {'key': 'basic.crc_check', 'adapter': None, 'file': False}, CALL],
        [{'key': 'basic.time_out_s', 'adapter': 200, 'backup': 180}])
    assert before == 'basic.delay_time_ms = 300\nbasic.crc_check = (not read)\nrepeater.alt_my_call = "N0CALL  "\n'
    assert after == ('basic.delay_time_ms = 500\nbasic.crc_check = false\nrepeater.alt_my_call = "DL1ABC"\n'
                     '# drift, not named by the task: basic.time_out_s = 200 (the newest backup holds 180)\n')


def test_newest_backup(tmp_path):
    assert settings.newest_backup(str(tmp_path / 'none')) is None
    for name in ['2026-12-08_101500.toml', '2026-12-09_090000.toml', '2026-12-08_235959.toml', 'notes.txt']:
        (tmp_path / name).write_text(u'')
    assert settings.newest_backup(str(tmp_path)) == str(tmp_path / '2026-12-09_090000.toml')
