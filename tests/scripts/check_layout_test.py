#!/usr/bin/env python3
"""The layout check on small trees: what it must refuse and what it must let be."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                     "check-layout")


def run_check(files):
    """Writes `files` (path -> text) into a fresh tree and runs the check on it."""
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w") as f:
                f.write(text)
        done = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
        return done.returncode, done.stdout


class Includes(unittest.TestCase):
    def test_an_include_from_a_floor_above_fails(self):
        code, out = run_check({"device/link.cpp": '#include "app/field_store.h"\n'})
        self.assertEqual(code, 1)
        self.assertIn("device/link.cpp:1: includes app/field_store.h, a floor above", out)

    def test_windows_header_only_in_a_win32_folder(self):
        code, out = run_check({"records/a.cpp": "#include <windows.h>\n",
                               "records/win32/b.cpp": "#include <windows.h>\n"})
        self.assertEqual(code, 1)
        self.assertIn("records/a.cpp:1: <windows.h> outside a win32/ folder", out)
        self.assertNotIn("records/win32/b.cpp", out)


class SplitTexts(unittest.TestCase):
    def test_a_text_broken_mid_line_fails_in_sources_and_tests(self):
        source = ('const char* kA = "Please check the\\n"\n'
                  '                  "cable and the " "control.";\n')
        code, out = run_check({"records/a.cpp": source, "tests/records/a_test.cpp": source})
        self.assertEqual(code, 1)
        self.assertIn('records/a.cpp:1: a text broken mid-line after "...cable and the "', out)
        self.assertIn("tests/records/a_test.cpp:1:", out)
        self.assertIn("2 text(s) broken mid-line", out)

    def test_breaks_that_keep_a_phrase_whole_pass(self):
        source = ('const char* kA = "First line.\\n\\n"\n'
                  '                  "Second line.";\n'
                  'const char kKeys[] = "1\\0" "2\\0";\n'
                  'const char kBytes[] = "\\x01" "2";\n'
                  'const char kQuote = \'"\'; const char* kB = "x";\n'
                  '// "a comment " "is not code"\n'
                  '/* "nor " "this" */\n'
                  'const char* kRaw = R"(raw " "text)";\n'
                  '#define HINT "a " "macro"\n')
        code, out = run_check({"app/a.cpp": source, "benchmarks/b.cpp": '"a " "b";\n'})
        self.assertEqual(code, 0, out)
        self.assertIn("every text is whole", out)

    def test_the_line_of_a_fault_counts_lines_inside_literals_and_comments(self):
        source = ('/* one\n two */\n'
                  'const char* kA = "a\\n"\n'
                  '    "b";\n'
                  'const char* kB = "c "\n'
                  '    "d";\n')
        code, out = run_check({"app/a.cpp": source})
        self.assertEqual(code, 1)
        self.assertIn("app/a.cpp:5:", out)


if __name__ == "__main__":
    unittest.main()
