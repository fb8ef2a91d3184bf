"""The instruction guard's comparison: growth fails naming both figures, a drop passes with a hint,
an entry missing on either side fails, and update writes what check then passes."""

import json
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from baseline import compare  # noqa: E402

SCRIPT = Path(__file__).resolve().parent / "baseline.py"
BASELINE = {"compose": {"compose/10": 1000, "teardown/10": 400}}


class Comparison(unittest.TestCase):
    def test_growth_beyond_the_tolerance_fails_naming_benchmark_and_both_figures(self):
        lines, failed = compare(BASELINE, {"compose": {"compose/10": 1031, "teardown/10": 400}})
        self.assertTrue(failed)
        self.assertIn("SLOWER  bench_compose compose/10: 1031 instructions against 1000 (+3.1%)", lines)

    def test_growth_within_the_tolerance_passes(self):
        lines, failed = compare(BASELINE, {"compose": {"compose/10": 1030, "teardown/10": 389}})
        self.assertFalse(failed)
        self.assertTrue(all(line.startswith("ok") for line in lines), lines)

    def test_a_small_figure_must_also_move_by_more_than_the_slack(self):
        floor = {"binding": {"binding_floor/2": 140}}
        lines, failed = compare(floor, {"binding": {"binding_floor/2": 148}})
        self.assertFalse(failed)
        self.assertIn("ok      bench_binding binding_floor/2: 148 instructions against 140 (+5.7%)", lines)
        lines, failed = compare(floor, {"binding": {"binding_floor/2": 157}})
        self.assertTrue(failed)

    def test_a_drop_passes_as_faster_with_a_hint(self):
        lines, failed = compare(BASELINE, {"compose": {"compose/10": 900, "teardown/10": 400}})
        self.assertFalse(failed)
        self.assertIn("faster  bench_compose compose/10: 900 instructions against 1000 (-10.0%); if meant, "
                      "update the baseline", lines)

    def test_an_entry_missing_on_either_side_fails(self):
        lines, failed = compare(BASELINE, {"compose": {"compose/10": 1000, "compose/20": 2000}})
        self.assertTrue(failed)
        self.assertIn("MISSING bench_compose compose/20: 2000 instructions, not in the baseline", lines)
        self.assertIn("MISSING bench_compose teardown/10: in the baseline (400 instructions), not measured", lines)


class Command(unittest.TestCase):
    def run_script(self, *args):
        return subprocess.run([sys.executable, str(SCRIPT), *args], capture_output=True, text=True)

    def test_update_writes_the_baseline_that_check_then_passes_and_a_slower_run_fails(self):
        with tempfile.TemporaryDirectory() as directory:
            baseline, result = Path(directory, "baseline.json"), Path(directory, "compose.json")
            result.write_text(json.dumps(BASELINE["compose"]))
            self.assertEqual(self.run_script("update", str(baseline), str(result)).returncode, 0)
            self.assertEqual(json.loads(baseline.read_text()), BASELINE)
            self.assertEqual(self.run_script("check", str(baseline), str(result)).returncode, 0)
            result.write_text(json.dumps({"compose/10": 2000, "teardown/10": 400}))
            slower = self.run_script("check", str(baseline), str(result))
            self.assertEqual(slower.returncode, 1)
            self.assertIn("--update-baseline", slower.stdout)

    def test_check_takes_the_lowest_of_several_runs_and_update_their_median(self):
        with tempfile.TemporaryDirectory() as directory:
            baseline = Path(directory, "baseline.json")
            runs = []
            for run, figure in enumerate((1200, 1000, 1010)):
                Path(directory, str(run)).mkdir()
                runs.append(Path(directory, str(run), "compose.json"))
                runs[-1].write_text(json.dumps({"compose/10": figure, "teardown/10": 400}))
            self.assertEqual(self.run_script("update", str(baseline), *map(str, runs)).returncode, 0)
            self.assertEqual(json.loads(baseline.read_text())["compose"]["compose/10"], 1010)
            self.assertEqual(self.run_script("check", str(baseline), str(runs[0])).returncode, 1)
            self.assertEqual(self.run_script("check", str(baseline), *map(str, runs[:2])).returncode, 0)


if __name__ == "__main__":
    unittest.main()
