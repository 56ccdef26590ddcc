# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
# SPDX-License-Identifier: GPL-3.0-or-later
"""The options of every module that say which adapter brisel-ctl talks to;
module_utils/brisel_ctl.py holds their argument_spec, the options as the modules take them."""

from __future__ import absolute_import, division, print_function

__metaclass__ = type


class ModuleDocFragment(object):
    DOCUMENTATION = r'''
options:
  adapter:
    description:
      - The adapter, by its USB port path (C(1-1.2), which stays the same while it is plugged
        into the same socket) or C(BUS:DEVICE) (C(1:7)), as C(brisel-ctl detect) lists them; a
        dual-band site has two.
      - Without it, M(brisel.adapter.settings) uses the first adapter on the buses and
        M(brisel.adapter.facts) gathers every adapter.
    type: str
  brisel_ctl:
    description:
      - The program to run on the host, a name looked up on C(PATH) or a path.
    type: path
    default: brisel-ctl
  demo:
    description:
      - Use brisel-ctl's emulated adapter instead of the USB buses, to try a play without the
        hardware. It keeps what is written between runs. Its suboptions I(lacking) and
        I(not_taking) are test switches, for trying a play's failures; they have no meaning for
        a real adapter.
      - Cannot go with I(adapter).
    type: dict
    suboptions:
      file:
        description:
          - The file in which the emulated adapter keeps its settings, so that each host of a
            trial has its own (brisel-ctl C(--demo-file)). Without it, the demo's own file.
        type: path
      lacking:
        description:
          - Test switch. Optional features its firmware lacks, any of C(slow_data), C(beacon),
            C(serial_port), C(squelch) and C(jitter_buffer) (brisel-ctl C(--lacking)).
        type: list
        elements: str
        default: []
      not_taking:
        description:
          - Test switch. The emulated adapter answers every write but keeps what it holds, as an adapter that
            does not take a value does (brisel-ctl C(--not-taking)).
        type: bool
        default: false
'''
