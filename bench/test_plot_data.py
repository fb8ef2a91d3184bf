"""The data of the instruction plot: instructions per part for every family the counted run has
(sizes in order, the figure of an iteration over its N), families that were not run left out, and
one titled block per family, as gnuplot's index and columnheader read them."""

import json
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from plot_data import instructions_per_part, write_instructions  # noqa: E402


class InstructionPlot(unittest.TestCase):
    def test_each_family_run_gives_its_figures_per_part_in_order_of_n_as_one_titled_block(self):
        with tempfile.TemporaryDirectory() as directory:
            results = Path(directory)
            (results / "compose.instructions.json").write_text(json.dumps({
                "compose/1000/manual_time": 37000000, "compose/100/manual_time": 3800000,
                "compose_floor/100": 2000000, "teardown/100/manual_time": 640000}))
            (results / "load.instructions.json").write_text(json.dumps({"load_radio_group/10/manual_time": 1200000}))
            (results / "binding.instructions.json").write_text("{}")
            self.assertEqual(instructions_per_part(results), [
                ("compose", [(100, 38000.0), (1000, 37000.0)]),
                ("teardown", [(100, 6400.0)]),
                ("load a radio group of N", [(10, 120000.0)])])
            self.assertTrue(write_instructions(results))
            self.assertEqual((results / "instructions.dat").read_text(),
                             '"compose"\n100 38000.0\n1000 37000.0\n\n\n"teardown"\n100 6400.0\n\n\n'
                             '"load a radio group of N"\n10 120000.0\n')

    def test_without_a_counted_run_there_is_nothing_to_plot(self):
        with tempfile.TemporaryDirectory() as directory:
            self.assertFalse(write_instructions(Path(directory)))
            self.assertFalse((Path(directory) / "instructions.dat").exists())


if __name__ == "__main__":
    unittest.main()
