#!/usr/bin/env python3
"""Cases of scripts/check-layers, each on a small checkout made for it."""
import importlib.machinery
import importlib.util
import os
import tempfile
import textwrap
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), '..', '..', 'scripts', 'check-layers')
_loader = importlib.machinery.SourceFileLoader('check_layers', SCRIPT)
_spec = importlib.util.spec_from_loader('check_layers', _loader)
layers = importlib.util.module_from_spec(_spec)
_loader.exec_module(layers)

TABLE = """\
# Layers

| area | may include |
|---|---|
| `sdk/base` | |
| `sdk/db` | `sdk/base` |
| `sdk/app` | `sdk/base` `sdk/db` |
| `cmdutil/include` | `sdk/*` |
| `cmdutil/classic` | `sdk/*` `cmdutil/include` |
| `cmdutil/geometry` | `sdk/*` `cmdutil/include` `cmdutil/classic` |
| `host/commands` | `sdk/*` `xqcmdutil/*` |
| `host` | `sdk/*` |

| header | only from |
|---|---|
| `sdk/base/VexaHost.h` | `sdk/*` `host` |

| owner | exported headers |
|---|---|
| `cmdutil/include` | `XqVector.h` |
| `cmdutil/classic` | `XqNames.h` |
| `cmdutil/geometry` | `XqDbUtil.h` |
"""

# A checkout that keeps every rule of TABLE: includes down the rows, within an area (also from
# a subfolder), of shared and lower exported headers, and of system headers.
GOOD = {
    'sdk/base/QvString.h': '#pragma once\n#include <string>\n',
    'sdk/base/VexaHost.h': '#pragma once\n',
    'sdk/db/QvDbLine.h': '#include "sdk/base/QvString.h"\n',
    'sdk/db/detail/Tol.cpp': '#include "sdk/db/QvDbLine.h"\n',
    'sdk/app/Doc.cpp': '#include "sdk/db/QvDbLine.h"\n#include "sdk/base/VexaHost.h"\n',
    'cmdutil/include/xqcmdutil/XqVector.h': '#include "sdk/base/QvString.h"\n',
    'cmdutil/include/xqcmdutil/XqNames.h': '#include "xqcmdutil/XqVector.h"\n',
    'cmdutil/include/xqcmdutil/XqDbUtil.h': '#include "xqcmdutil/XqNames.h"\n',
    'cmdutil/classic/XqNames.cpp': '#include "xqcmdutil/XqNames.h"\n#include "sdk/app/x.h"\n',
    'cmdutil/geometry/XqDbUtil.cpp': '#include "xqcmdutil/XqDbUtil.h"\n',
    'host/commands/Table.cpp': '#include "xqcmdutil/XqDbUtil.h"\n',
    'host/Program.cpp': '#include "sdk/base/VexaHost.h"\n// #include "cmdutil/classic/x.h"\n',
}


_made = []


def tearDownModule():
    for folder in _made:
        folder.cleanup()


def checkout(files, table=TABLE):
    _made.append(tempfile.TemporaryDirectory(prefix='layers-'))
    root = _made[-1].name
    for path, text in dict(files, **{'LAYERS.md': table}).items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, 'w', encoding='utf-8') as out:
            out.write(text)
    return root


class IncludeRules(unittest.TestCase):
    def test_a_checkout_that_keeps_the_rules_passes(self):
        self.assertEqual(layers.check(checkout(GOOD)), [])

    def test_an_include_the_rows_do_not_allow_is_named_by_file_and_line(self):
        files = dict(GOOD)
        files['sdk/db/detail/Tol.cpp'] = '#include <cmath>\n\n  #  include "sdk/app/Doc.h"\n'
        files['cmdutil/classic/XqNames.cpp'] = '#include "cmdutil/geometry/Walk.h"\n'
        files['host/Program.cpp'] = '#include "cmdutil/classic/XqNames.h"\n'
        self.assertEqual(sorted(layers.check(checkout(files))), [
            'cmdutil/classic/XqNames.cpp:1: cmdutil/classic may not include cmdutil/geometry '
            '("cmdutil/geometry/Walk.h")',
            'host/Program.cpp:1: host may not include cmdutil/classic ("cmdutil/classic/XqNames.h")',
            'sdk/db/detail/Tol.cpp:3: sdk/db may not include sdk/app ("sdk/app/Doc.h")',
        ])

    def test_exported_headers_count_as_part_of_their_owner(self):
        files = dict(GOOD)
        # classic reaching a geometry header through the exported folder is still upward, and so
        # is a shared header reaching a subsystem's.
        files['cmdutil/classic/XqNames.cpp'] = '#include "xqcmdutil/XqDbUtil.h"\n'
        files['cmdutil/include/xqcmdutil/XqVector.h'] = '#include "xqcmdutil/XqNames.h"\n'
        # A command module may include exported headers only, not a folder of the module.
        files['host/commands/Table.cpp'] = '#include "cmdutil/geometry/Walk.h"\n'
        files['cmdutil/include/xqcmdutil/XqNew.h'] = '#pragma once\n'
        self.assertEqual(sorted(layers.check(checkout(files))), [
            'cmdutil/classic/XqNames.cpp:1: cmdutil/classic may not include cmdutil/geometry '
            '("xqcmdutil/XqDbUtil.h")',
            'cmdutil/include/xqcmdutil/XqNew.h: exported header with no owner in LAYERS.md (add '
            'it to the row of the folder that implements it)',
            'cmdutil/include/xqcmdutil/XqVector.h:1: cmdutil/include may not include '
            'cmdutil/classic ("xqcmdutil/XqNames.h")',
            'host/commands/Table.cpp:1: host/commands may not include cmdutil/geometry '
            '("cmdutil/geometry/Walk.h")',
        ])

    def test_a_restricted_header_is_refused_to_the_others(self):
        files = dict(GOOD)
        files['cmdutil/classic/XqNames.cpp'] = '#include "sdk/base/VexaHost.h"\n'
        files['host/commands/Table.cpp'] = '#include "sdk/base/VexaHost.h"\n'
        self.assertEqual(sorted(layers.check(checkout(files))), [
            'cmdutil/classic/XqNames.cpp:1: only host sdk/* may include "sdk/base/VexaHost.h"',
            'host/commands/Table.cpp:1: only host sdk/* may include "sdk/base/VexaHost.h"',
        ])


class TableRules(unittest.TestCase):
    def test_a_folder_without_a_row_fails_once(self):
        files = dict(GOOD)
        files['sdk/render/A.cpp'] = '#include "sdk/db/QvDbLine.h"\n'
        files['sdk/render/B.cpp'] = '#include "sdk/app/Doc.h"\n'
        self.assertEqual(layers.check(checkout(files)),
                         ['sdk/render/A.cpp: area sdk/render has no row in LAYERS.md'])

    def test_rows_that_could_form_a_cycle_fail(self):
        table = TABLE.replace('| `sdk/db` | `sdk/base` |', '| `sdk/db` | `sdk/base` `sdk/app` |')
        table = table.replace('| `host` | `sdk/*` |', '| `host` | `sdk/*` `host/tools` |')
        table = table.replace('| `cmdutil/classic` | `XqNames.h` |',
                              '| `cmdutil/classic` | `XqNames.h` |\n| `cmdutil/frame` | `XqApp.h` |')
        table = table.replace('| `sdk/app` | `sdk/base` `sdk/db` |',
                              '| `sdk/app` | `sdk/base` `sdk/db` |\n| `sdk/app` | `sdk/db` `sdk/base` |')
        self.assertEqual(sorted(layers.check(checkout(GOOD, table))), [
            'LAYERS.md: host: host/tools has no row',
            'LAYERS.md: sdk/db: may include sdk/app, whose row is not before its own',
            'LAYERS.md: xqcmdutil/XqApp.h: owner cmdutil/frame has no row',
            'LAYERS.md:8: area sdk/app has two rows',
        ])

    def test_the_repository_table_keeps_the_intended_order(self):
        # layers.includes checks the tree against the table; this pins what the table must not
        # loosen: the draw interfaces under the database, the renderer over it, and the classic
        # helpers and the path class free of the rest of the module.
        with open(os.path.join(os.path.dirname(SCRIPT), '..', 'LAYERS.md'), encoding='utf-8') as f:
            table = layers.parse_table(f.read())
        for area in ('sdk/base', 'sdk/gi', 'sdk/db', 'sdk/render', 'sdk/app', 'cmdutil/classic',
                     'cmdutil/paths', 'cmdutil/frame', 'cmdutil/geometry', 'host'):
            self.assertIn(area, table.order)
        below = table.order.index
        self.assertLess(below('sdk/gi'), below('sdk/db'))
        self.assertLess(below('sdk/db'), below('sdk/render'))
        self.assertLess(below('cmdutil/geometry'), below('cmdutil/frame'))
        for low in ('cmdutil/classic', 'cmdutil/paths'):
            self.assertEqual({t for t in table.allowed[low] if t.startswith('cmdutil/')},
                             {'cmdutil/include'})


if __name__ == '__main__':
    unittest.main()
