"""The collection's own logic, beyond calling brisel-ctl: the settings file
made of content and keys, YAML's values on their way into it, what --diff
shows, the task's message after a failed restore, and brisel-ctl's JSON read
back. Run with the Python of ansible-core, the collection on PYTHONPATH."""

import tomllib
import unittest

import yaml

from ansible_collections.brisel.adapter.plugins.module_utils import brisel_ctl
from ansible_collections.brisel.adapter.plugins.module_utils.settings_text import (
    SettingsTextError, diff_lines, flat_keys, settings_file, toml_string)
from ansible_collections.brisel.adapter.plugins.modules import settings as settings_module

SITE = 'format = 1\n[basic]\ndelay_time_ms = 300 # a comment\n[repeater]\nalt_my_call = "N0CALL"\n'


class TomlStrings(unittest.TestCase):
    def test_escapes(self):
        for text, written in [
            ('N0CALL', '"N0CALL"'),
            ('say "hi"', '"say \\"hi\\""'),
            ('a\\b', '"a\\\\b"'),
            ('tab\there\nline', '"tab\\there\\nline"'),
            ('\x00\x1f\x7f\x85', '"\\u0000\\u001F\\u007F\\u0085"'),
            ('Café ÄÖ', '"Café ÄÖ"'),
        ]:
            with self.subTest(text=text):
                self.assertEqual(toml_string(text), written)
                self.assertEqual(tomllib.loads('v = ' + written)['v'], text)


class Keys(unittest.TestCase):
    def test_both_forms_in_order(self):
        self.assertEqual(
            list(flat_keys({'basic.delay_time_ms': 500, 'repeater': {'alt_my_call': 'DL1ABC', 'dup_check': True}})),
            ['basic.delay_time_ms', 'repeater.alt_my_call', 'repeater.dup_check'])

    def test_refused(self):
        for keys, why in [
            ({'delay_time_ms': 500}, "'delay_time_ms' is not GROUP.KEY"),
            ({'basic.x.y': 1}, "'basic.x.y' is not GROUP.KEY"),
            ({'.x': 1}, "'.x' is not GROUP.KEY"),
            ({'basic.': 1}, "'basic.' is not GROUP.KEY"),
            ({'basic.x': {'y': 1}}, "'basic.x' holds a mapping, so it must be a group"),
            ({'basic': {'x': {'y': 1}}}, 'basic.x holds a mapping, not a value'),
            ({'basic.x': 1, 'basic': {'x': 2}}, 'basic.x is given twice'),
            ({'basic.x': None}, 'keys: basic.x has no value'),
            ({'basic.x': object()}, 'keys: basic.x: a value of type object cannot stand'),
        ]:
            with self.subTest(keys=keys):
                with self.assertRaises(SettingsTextError) as caught:
                    flat_keys(keys)
                self.assertIn(why, str(caught.exception))


class SettingsFile(unittest.TestCase):
    def test_content_alone_goes_as_it_is(self):
        self.assertEqual(settings_file(SITE, None), (SITE, False))
        self.assertEqual(settings_file(SITE.rstrip('\n'), {}), (SITE, False))

    def test_keys_alone(self):
        text, made = settings_file(None, {'basic.delay_time_ms': 500, 'beacon': {'message': 'QRV'}})
        self.assertTrue(made)
        self.assertEqual(text, 'format = 1\n\n[basic]\ndelay_time_ms = 500\n\n[beacon]\nmessage = "QRV"\n')

    def test_keys_over_content(self):
        text, made = settings_file(SITE, {'repeater.alt_my_call': 'DL1ABC', 'beacon.interval_s': 600})
        self.assertTrue(made)
        self.assertEqual(tomllib.loads(text), {
            'format': 1,
            'basic': {'delay_time_ms': 300},
            'repeater': {'alt_my_call': 'DL1ABC'},
            'beacon': {'interval_s': 600},
        })

    def test_what_brisel_ctl_judges_goes_through(self):
        # A later format, a float, an unknown table: brisel-ctl names them.
        text, _ = settings_file('format = 2\n[other]\nx = [1, 2]\n', {'basic.delay_time_ms': 500.5})
        self.assertEqual(tomllib.loads(text),
                         {'format': 2, 'other': {'x': [1, 2]}, 'basic': {'delay_time_ms': 500.5}})

    def test_refused(self):
        for content, keys, why in [
            (None, None, 'give content'),
            ('  \n', {}, 'give content'),
            ('format = 1\n[basic\n', {'basic.x': 1}, 'content is not a settings file'),
            ('format = 1\nbasic = 3\n', {'basic.x': 1}, 'content has basic as a value, not as a group'),
        ]:
            with self.subTest(content=content):
                with self.assertRaises(SettingsTextError) as caught:
                    settings_file(content, keys)
                self.assertIn(why, str(caught.exception))

    def test_yaml_values_round_trip(self):
        # As a play's YAML gives them (YAML 1.1, as Ansible reads it).
        keys = yaml.safe_load(
            'basic.half_duplex: true\n'
            'basic.crc_check: no\n'
            'basic.delay_time_ms: 500\n'
            'basic.pre_bit_pattern: 0xF0\n'
            "repeater.alt_my_call: 'NO'\n"
            'repeater.my_repeater_call: "N0RPT  B"\n'
            'beacon.message: "0x20 \\"QRV\\" \\\\ Café"\n'
            "serial_port.mode: '500'\n")
        text, _ = settings_file(None, keys)
        self.assertEqual(tomllib.loads(text), {
            'format': 1,
            'basic': {'half_duplex': True, 'crc_check': False, 'delay_time_ms': 500, 'pre_bit_pattern': 0xF0},
            'repeater': {'alt_my_call': 'NO', 'my_repeater_call': 'N0RPT  B'},
            'beacon': {'message': '0x20 "QRV" \\ Café'},
            'serial_port': {'mode': '500'},
        })


class Diff(unittest.TestCase):
    def test_a_line_per_key(self):
        before, after = diff_lines([
            {'key': 'basic.delay_time_ms', 'adapter': 300, 'file': 500},
            {'key': 'basic.crc_check', 'adapter': None, 'file': False},
            {'key': 'repeater.alt_my_call', 'adapter': 'N0CALL  ', 'file': 'DL1ABC'},
        ])
        self.assertEqual(before, 'basic.delay_time_ms = 300\nbasic.crc_check = (not read)\n'
                                 'repeater.alt_my_call = "N0CALL  "\n')
        self.assertEqual(after, 'basic.delay_time_ms = 500\nbasic.crc_check = false\n'
                                'repeater.alt_my_call = "DL1ABC"\n')


DELAY = {'key': 'basic.delay_time_ms', 'adapter': 300, 'file': 500}
CALL = {'key': 'repeater.alt_my_call', 'adapter': 'N0CALL  ', 'file': 'DL1ABC'}


class RestoreFailure(unittest.TestCase):
    def test_message(self):
        for document, status, text, written in [
            ({'command': 'restore', 'dry_run': False, 'written': [], 'lost_during': None,
              'message': "The adapter's firmware lacks the beacon group; nothing was written."}, 76,
             "brisel-ctl restore ended with status 76: The adapter's firmware lacks the beacon group; "
             'nothing was written.', []),
            ({'command': 'restore', 'dry_run': False, 'lost_during': 'repeater', 'message': 'lost',
              'written': [{'group': 'basic', 'changes': [DELAY]}]}, 74,
             'brisel-ctl restore ended with status 74: lost\nAlready written (groups basic): '
             'basic.delay_time_ms.\nThe group repeater was being written when the adapter was lost '
             'and may be half written.', ['basic.delay_time_ms']),
            ({'command': 'restore', 'dry_run': True, 'changes': [DELAY], 'message': 'bad'}, 65,
             'brisel-ctl restore ended with status 65: bad', []),
        ]:
            with self.subTest(status=status):
                self.assertEqual(settings_module.failure(document, status), (text, written))

    def test_changes_of_a_run_and_of_a_dry_run(self):
        self.assertEqual(settings_module.changes_of(
            {'dry_run': False, 'written': [{'group': 'basic', 'changes': [DELAY]},
                                           {'group': 'repeater', 'changes': [CALL]}]}), [DELAY, CALL])
        self.assertEqual(settings_module.changes_of({'dry_run': True, 'changes': [CALL]}), [CALL])


class Warnings(unittest.TestCase):
    def test_taken_from_the_json(self):
        record = {'path': '/s/brisel-setting/interrupted-1-1.2.toml', 'job': 'restore', 'port': '1-1.2',
                  'begun': '2026-12-08 14:02', 'groups': ['basic', 'repeater'], 'done': ['basic'],
                  'message': 'A restore onto the adapter at USB port 1-1.2 was cut short.'}
        for document, warnings in [
            ({'command': 'restore', 'written': []}, []),
            ({'record': record}, ['brisel-ctl found the record of an earlier write onto this adapter that was cut '
                                  'short, /s/brisel-setting/interrupted-1-1.2.toml: A restore onto the adapter at '
                                  'USB port 1-1.2 was cut short.']),
            ({'left_out': ['beacon', 'basic.squelch_level']},
             ["Left out, as the adapter's firmware lacks them: the beacon group, basic.squelch_level."]),
            ({'fixed_flag_bits': True},
             ['repeater.flag_byte: bits 7 and 4 cannot be changed; they stay as the adapter holds them.']),
        ]:
            with self.subTest(document=document):
                self.assertEqual(settings_module.warnings_of(document), warnings)


class Documents(unittest.TestCase):
    def test_read(self):
        self.assertEqual(brisel_ctl.read_document(1, '{"command": "diff", "exit_status": 1}\n', ''),
                         {'command': 'diff', 'exit_status': 1})

    def test_not_a_document(self):
        for out, err, why in [
            ('', 'brisel-ctl: unknown option --json\n', 'status 64); it said: brisel-ctl: unknown option --json'),
            ('[1]', '', 'it said: nothing'),
            ('{"command": "diff"}', 'a\nb\nc\nd\n', 'it said: b c d'),
            ('{' + ' ' * brisel_ctl.MAX_OUTPUT + '}', '', 'more than 1048576 bytes'),
        ]:
            with self.subTest(out=out[:20]):
                with self.assertRaises(brisel_ctl.BriselCtlError) as caught:
                    brisel_ctl.read_document(64, out, err)
                self.assertIn(why, str(caught.exception))
        with self.assertRaises(brisel_ctl.BriselCtlError) as caught:
            brisel_ctl.read_document(-15, '', 'The group basic was written.\n')
        self.assertEqual(str(caught.exception), 'brisel-ctl gave no JSON object (ended by signal 15); '
                                                'it said: The group basic was written.')

    def test_adapter_arguments(self):
        for params, args in [
            ({}, []),
            ({'adapter': '1-1.2'}, ['--device=1-1.2']),
            ({'demo': {'file': '/s/north.toml', 'lacking': ['beacon', 'squelch'], 'not_taking': True}},
             ['--demo-file=/s/north.toml', '--lacking=beacon,squelch', '--not-taking']),
            ({'demo': {'file': None, 'lacking': [], 'not_taking': False}}, ['--demo']),
        ]:
            with self.subTest(params=params):
                self.assertEqual(brisel_ctl.adapter_arguments(params), args)
        with self.assertRaises(brisel_ctl.BriselCtlError):
            brisel_ctl.adapter_arguments({'adapter': '1:7', 'demo': {}})


if __name__ == '__main__':
    unittest.main()
