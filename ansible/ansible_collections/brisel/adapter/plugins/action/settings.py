# -*- coding: utf-8 -*-
# Copyright: 2026 the brisel-setting developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)
# SPDX-License-Identifier: GPL-3.0-or-later
"""The settings module, then its automatic backup fetched to the controller
when backup_options asks for it."""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import os

from ansible.errors import AnsibleError
from ansible.plugins.action import ActionBase


class ActionModule(ActionBase):

    def run(self, tmp=None, task_vars=None):
        task_vars = task_vars or {}
        result = super(ActionModule, self).run(tmp, task_vars)
        result.update(self._execute_module(module_name='brisel.adapter.settings',
                                           module_args=self._task.args, task_vars=task_vars))
        options = self._task.args.get('backup_options')
        backup = result.get('backup')
        if not options or not backup:
            return result
        folder = options.get('dir_path') or 'backup'
        if not os.path.isabs(folder):
            folder = os.path.join(self._loader.get_basedir(), folder)
        name = options.get('filename') or '%s_%s' % (task_vars.get('inventory_hostname'), os.path.basename(backup))
        if '/' in name or name in ('.', '..'):
            result.update(failed=True, msg='backup_options.filename is a name, not a path: %s' % name)
            return result
        dest = os.path.join(folder, name)
        try:
            if not os.path.isdir(folder):
                os.makedirs(folder)
            self._connection.fetch_file(backup, dest)
        except (AnsibleError, OSError) as error:
            result.update(failed=True, msg='The backup %s could not be fetched to %s: %s' % (backup, dest, error))
            return result
        result['backup_fetched'] = dest
        return result
