"""The first-frame script: the verdict against the target (met, missed, unstable when a figure's
runs vary), the runner's phases set against its whole first frame, the counts read from a callgrind
dump, and the whole command on a private Xvfb with stand-in programs: both medians and the ratio
printed, a program that paints no frame named, and the display ended either way."""

import os
import shutil
import stat
import subprocess
import sys
import tempfile
import textwrap
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from first_frame import (Failure, dumped_instructions, frame_stamp, instruction_lines,  # noqa: E402
                         instructions_by_object, summary)

SCRIPT = Path(__file__).resolve().parent / "first_frame.py"


class Summary(unittest.TestCase):
    def test_the_ratio_is_judged_against_at_most_one_and_unstable_runs_are_no_verdict(self):
        met = summary([100, 101, 100], [200, 201, 200], [], 3)
        self.assertIn("ratio: 0.50x (target: at most 1.0x): yes", met)
        missed = summary([300, 301, 300], [200, 201, 200], [], 3)
        self.assertIn("ratio: 1.50x (target: at most 1.0x): NO", missed)
        unstable = summary([100, 150, 100], [200, 201, 200], [], 3)
        self.assertIn("ratio: 0.50x (target: at most 1.0x): unstable", unstable)
        self.assertIn("| nuv-workbench --window | 100.0 ms | 24.7 % (unstable) |", unstable)

    def test_the_process_start_is_what_the_runner_phases_leave_of_the_first_frame(self):
        phases = [{"start": 10, "qt": 20, "frame": 30, "finish": 99}, {"start": 12, "qt": 20, "frame": 30}]
        lines = summary([100, 110], [200, 200], phases, 2)
        # 100 - 60 and 110 - 62: what comes after the frame (finish) is no part of it.
        self.assertIn("| process | 44.00 ms | 42 % | 12.9 % (unstable) |", lines)
        self.assertIn("| frame | 30.00 ms | 29 % | 0.0 % |", lines)
        self.assertFalse(any(line.startswith("| finish") for line in lines))


class Reading(unittest.TestCase):
    def test_the_frame_line_and_the_callgrind_totals_are_read_and_their_absence_named(self):
        self.assertEqual(frame_stamp("x", "noise\nx: first frame painted at 123 ns (monotonic clock)\n"), 123)
        with self.assertRaisesRegex(Failure, "uiloader-window printed no first frame: it broke"):
            frame_stamp("uiloader-window", "it broke\n")
        with tempfile.TemporaryDirectory() as directory:
            dump = Path(directory, "callgrind.out.1")
            dump.write_text("events: Ir\nfn=main\n3 5\ntotals: 163545538\n")
            self.assertEqual(dumped_instructions(dump), 163545538)
            dump.write_text("events: Ir\n")
            with self.assertRaisesRegex(Failure, "no totals"):
                dumped_instructions(dump)

    def test_each_object_counts_its_own_instructions_not_the_calls_it_makes(self):
        with tempfile.TemporaryDirectory() as directory:
            dump = Path(directory, "callgrind.out.1")
            # main (in the program) costs 5 + 2 itself and calls into the library, whose inclusive
            # 100 is the callee's; the library's function costs 100 itself; names are given once.
            dump.write_text("events: Ir\nob=(1) /usr/bin/prog\nfl=(1) a.c\nfn=(1) main\n3 5\n"
                            "cob=(2) /usr/lib/libfc.so.1\ncfn=(2) scan\ncalls=1 7\n4 100\n+1 2\n"
                            "ob=(2)\nfl=(2) b.c\nfn=(2)\n7 60\n* 40\ntotals: 107\n")
            self.assertEqual(instructions_by_object(dump), {"prog": 7, "libfc.so.1": 100})

    def test_the_counts_come_with_the_objects_that_differ_most(self):
        lines = instruction_lines((300, {"libfc": 200, "prog": 100}), (200, {"libfc": 20, "prog": 170, "libQt": 10}),
                                  largest=2)
        self.assertIn("nuv-workbench 0.0 M, QUiLoader 0.0 M: ratio 1.50x (target: at most 1.0x): NO", lines)
        table = lines[lines.index("| object | nuv-workbench | QUiLoader | difference |") + 2:]
        self.assertEqual([row.split(" | ")[0] for row in table], ["| libfc", "| prog"])
        self.assertIn("+0.0 M", table[0])


# A stand-in for either program: checks the display, reports a frame on the monotonic clock (or
# not, with NO_FRAME), and with TIMINGS prints the runner's timings line.
STAND_IN = textwrap.dedent("""\
    #!{python}
    import os, sys, time
    open(os.environ["DISPLAYS_SEEN"], "a").write(os.environ["DISPLAY"] + "\\n")
    if {no_frame}:
        sys.exit("it paints nothing")
    time.sleep(0.01)
    print("stand-in: first frame painted at %d ns (monotonic clock)" % time.monotonic_ns(), file=sys.stderr)
    if {timings}:
        print("nuv-workbench: timings: start 1.00 ms, qt 2.00 ms, frame 3.00 ms", file=sys.stderr)
    """)


@unittest.skipUnless(shutil.which("Xvfb") or os.environ.get("NUV_REQUIRE_XVFB"), "Xvfb is not installed")
class Command(unittest.TestCase):
    def stand_in(self, directory, name, no_frame=False, timings=False):
        path = Path(directory, name)
        path.write_text(STAND_IN.format(python=sys.executable, no_frame=no_frame, timings=timings))
        path.chmod(path.stat().st_mode | stat.S_IXUSR)
        return str(path)

    def run_script(self, directory, workbench, loader):
        env = dict(os.environ, DISPLAYS_SEEN=str(Path(directory, "displays")))
        return subprocess.run([sys.executable, str(SCRIPT), workbench, "app.xml", loader, "window.ui", "--runs", "3"],
                              capture_output=True, text=True, env=env, timeout=120)

    def assert_displays_ended(self, directory):
        displays = set(Path(directory, "displays").read_text().split())
        self.assertEqual(len(displays), 1, "one private display for all runs")
        number = displays.pop().lstrip(":")
        self.assertFalse(Path(f"/tmp/.X11-unix/X{number}").exists(), "the display was ended")

    def test_both_programs_run_interleaved_on_one_private_display_that_ends_with_the_run(self):
        with tempfile.TemporaryDirectory() as directory:
            done = self.run_script(directory, self.stand_in(directory, "workbench", timings=True),
                                   self.stand_in(directory, "loader"))
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertRegex(done.stdout, r"\| nuv-workbench --window \| [0-9.]+ ms \| [0-9.]+ %")
            self.assertRegex(done.stdout, r"\| QUiLoader \(uiloader-window\) \| [0-9.]+ ms \| [0-9.]+ %")
            self.assertRegex(done.stdout, r"ratio: [0-9.]+x \(target: at most 1.0x\)")
            self.assertIn("| frame | 3.00 ms |", done.stdout)
            # A warm-up and three counted runs of each.
            self.assertEqual(len(Path(directory, "displays").read_text().split()), 8)
            self.assert_displays_ended(directory)

    def test_a_program_that_paints_no_frame_is_named_and_the_display_still_ends(self):
        with tempfile.TemporaryDirectory() as directory:
            done = self.run_script(directory, self.stand_in(directory, "workbench"),
                                   self.stand_in(directory, "loader", no_frame=True))
            self.assertNotEqual(done.returncode, 0)
            self.assertIn("first_frame: uiloader-window failed (1): it paints nothing", done.stderr)
            self.assert_displays_ended(directory)


if __name__ == "__main__":
    unittest.main()
