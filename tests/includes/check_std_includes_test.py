#!/usr/bin/env python3
"""Cases of scripts/check-std-includes, on a small checkout made for them."""
import contextlib
import importlib.machinery
import importlib.util
import io
import os
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), '..', '..', 'scripts', 'check-std-includes')
_loader = importlib.machinery.SourceFileLoader('check_std_includes', SCRIPT)
_spec = importlib.util.spec_from_loader('check_std_includes', _loader)
checker = importlib.util.module_from_spec(_spec)
_loader.exec_module(checker)

FILES = {
    'sdk/base/QvList.h': '#pragma once\n#include <vector>\n#include <string>\n',
    'cmdutil/include/xqcmdutil/XqNames.h': '#pragma once\n#include "sdk/base/QvList.h"\n',
    # Reaches <vector> and <string> (so std::string_view) through two project headers, names
    # other facilities only in a comment and a string, and includes <map> itself.
    'cmdutil/classic/Good.cpp': ('#include "xqcmdutil/XqNames.h"\n#include <map>\n'
                                 '// std::deque, std::filesystem::path\n'
                                 'const char* k = "std::set<int>";\n'
                                 'std::vector<int> v;\nstd::string_view s;\nstd::map<int, int> m;\n'),
    # A header including itself through another must not loop.
    'host/Loop.h': '#pragma once\n#include "host/Loop2.h"\n',
    'host/Loop2.h': '#pragma once\n#include "host/Loop.h"\n#include <memory>\n',
    'host/Uses.cpp': '#include "host/Loop.h"\nstd::unique_ptr<int> p;\n',
    # Two faults: the unordered map (line 3) and the file system (line 4).
    'sdk/db/Bad.cpp': ('#include "sdk/base/QvList.h"\nstd::vector<int> v;\n'
                       'std::unordered_map<int, int> u;\nstd::filesystem::path p;\n'),
}


class CheckStdIncludesTest(unittest.TestCase):
    def test_a_facility_is_found_through_project_headers_and_missing_ones_are_named(self):
        with tempfile.TemporaryDirectory() as root:
            for name, text in FILES.items():
                path = os.path.join(root, name)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, 'w') as f:
                    f.write(text)
            out = io.StringIO()
            with contextlib.redirect_stdout(out):
                status = checker.main(['check-std-includes', root])
            self.assertEqual(status, 1)
            self.assertEqual(out.getvalue().splitlines(), [
                'sdk/db/Bad.cpp:3: std::unordered_map needs <unordered_map>',
                'sdk/db/Bad.cpp:4: std::filesystem:: needs <filesystem>',
                '2 missing standard include(s)',
            ])


if __name__ == '__main__':
    unittest.main()
