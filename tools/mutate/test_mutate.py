"""The mutation tool on small sources and stand-in commands: which mutants it makes, that the
source comes back on every path, and how a mutant is judged."""

import os
import signal
import subprocess
import sys
import tempfile
import threading
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from mutants import MutantsOf  # noqa: E402
from schema import Schema  # noqa: E402
from run import KILLED, STILLBORN, SURVIVED, TIMED_OUT, Command, Runner, SourceGuard, Stage  # noqa: E402

SOURCE = """\
// if (a < b) return;  "a comment is left alone"
int Find(const TList& list, int key) {
  const char* text = "x < y && z";
  for (int i = 0; i < list.Count(); ++i)
    if (list[i] == key) return i;
  std::vector<TGuard<TItem>> found;
  if (auto* item = Cast(list); item && item->Ready()) item->Withdraw(key);
  if (TItem* item = First(list)) delete item;
  FItems.reset();
  NUV_ASSERT(key != 0);
  return -1;
}
"""


def Changes(mutants):
    return sorted((m.line, m.change()) for m in mutants)


class MutantsAreMadeAtDecisionPointsOnly(unittest.TestCase):
    def test_every_kind_at_its_place_and_none_in_comments_literals_templates_or_assertions(self):
        self.assertEqual(Changes(MutantsOf("unit.cpp", SOURCE)), sorted([
            (4, "relational: `<` -> `<=`"),
            (5, "equality: `==` -> `!=`"),
            (5, "negate: `list[i] == key` -> `!(list[i] == key)`"),
            (5, "guard: `list[i] == key` -> `false`"),
            # The init-statement stays; only the condition changes.
            (7, "logical: `&&` -> `||`"),
            (7, "negate: `item && item->Ready()` -> `!(item && item->Ready())`"),
            (7, "call-removed: `item->Withdraw(key);` -> `{}`"),
            # A condition that declares its variable cannot be negated; the delete can go.
            (8, "call-removed: `delete item;` -> `{}`"),
            (9, "call-removed: `FItems.reset();` -> `{}`"),
        ]))

    def test_a_line_range_keeps_only_the_mutants_that_start_in_it(self):
        self.assertEqual([m.line for m in MutantsOf("unit.cpp", SOURCE, (5, 5))], [5, 5, 5])

    def test_identical_changes_on_one_line_are_numbered(self):
        mutants = MutantsOf("unit.cpp", "bool F(int a, int b) { return a != 1 || b != 2; }\n")
        self.assertIn("equality: `!=` -> `==` #2", [m.change() for m in mutants])

    def test_a_negated_plain_negation_drops_it(self):
        mutants = MutantsOf("unit.cpp", "void F() {\n  if (!ready) Go();\n}\n")
        self.assertIn("negate: `!ready` -> `ready`", [m.change() for m in mutants])


PROGRAM = """\
#include <cstdio>
struct TBox {
  int* Value = nullptr;
  void reset() {
    delete Value;
    Value = nullptr;
  }
};
int Clamp(int value, int low, int high) {
  if (value < low) return low;
  if (value > high && high >= low) return high;
  return value;
}
int Sum(int n, bool odd) {
  int total = 0;
  for (int i = 0; i < n; ++i)
    if (i % 2 == 1 || !odd) total += i;
  return total;
}
int main() {
  TBox owned{new int(3)};
  if (owned.Value) owned.reset();
  std::printf("%d %d %d %d %d %d %d\\n", Clamp(-1, 0, 9), Clamp(5, 0, 9), Clamp(12, 0, 9), Clamp(0, 0, 0),
              Sum(5, true), Sum(4, false), owned.Value != nullptr);
}
"""


def Output(directory, name, source, env=None):
    """What the program prints, compiled from source."""
    path = directory / name
    path.with_suffix(".cpp").write_text(source)
    subprocess.run(["g++", "-std=c++20", "-w", "-o", str(path), str(path.with_suffix(".cpp"))], check=True)
    return subprocess.run([str(path)], env={**os.environ, **(env or {})}, capture_output=True, text=True).stdout


class ASwitchedMutantIsTheMutantAlone(unittest.TestCase):
    def test_each_switch_prints_what_the_applied_mutant_prints_and_no_switch_the_original(self):
        directory = tempfile.TemporaryDirectory()
        self.addCleanup(directory.cleanup)
        root = Path(directory.name)
        mutants = MutantsOf("program.cpp", PROGRAM)
        self.assertGreater(len(mutants), 12)
        numbered = list(enumerate(mutants, 1))
        Output(root, "schema", Schema(PROGRAM, numbered))
        self.assertEqual(subprocess.run([str(root / "schema")], capture_output=True, text=True).stdout,
                         Output(root, "original", PROGRAM))
        for number, mutant in numbered:
            with self.subTest(mutant.change(), line=mutant.line):
                alone = Output(root, f"mutant{number}", mutant.apply(PROGRAM))
                switched = subprocess.run([str(root / "schema")], env={**os.environ, "NUV_MUTANT": str(number)},
                                          capture_output=True, text=True).stdout
                self.assertEqual(switched, alone)


class ASchemaBuildsUnderTheUnitsWarnings(unittest.TestCase):
    def Builds(self, source, change):
        mutants = MutantsOf("unit.cpp", source)
        self.assertIn(change, [m.change() for m in mutants])
        directory = tempfile.TemporaryDirectory()
        self.addCleanup(directory.cleanup)
        path = Path(directory.name) / "unit.cpp"
        path.write_text(Schema(source, list(enumerate(mutants, 1))))
        built = subprocess.run(["g++", "-std=c++20", "-O2", "-Wall", "-Wextra", "-Werror", "-c", "-o", os.devnull,
                                str(path)], capture_output=True, text=True)
        self.assertEqual(built.returncode, 0, built.stderr)

    def test_a_loosened_comparison_of_an_unsigned_count_with_zero_still_compiles(self):
        self.Builds("#include <vector>\nint Any(const std::vector<int>& v) {\n  if (v.size() > 0) return 1;\n  return 0;\n}\n",
                    "relational: `>` -> `>=`")

    def test_a_guard_turned_round_into_a_call_through_null_still_compiles(self):
        self.Builds("struct T {\n  bool P() const;\n};\nbool Any(const T* t) {\n  if (!t || !t->P()) return false;\n"
                    "  return true;\n}\n", "logical: `||` -> `&&`")

    def test_an_endless_loop_behind_a_switch_still_compiles(self):
        self.Builds("int Loop(int n) {\n  while (true) {\n    if (n > 3) return n;\n    ++n;\n  }\n}\n",
                    "relational: `>` -> `>=`")


class Project:
    """A file in a temporary directory and a runner whose build and tests are shell commands."""

    def __init__(self, test, build="true"):
        directory = tempfile.TemporaryDirectory()
        test.addCleanup(directory.cleanup)
        self.root = Path(directory.name)
        self.source = self.root / "unit.cpp"
        self.source.write_text(SOURCE)
        self.runner = Runner(self.root, self.root / "build", lambda targets, keep_going: ["sh", "-c", build], progress=lambda _: None)

    def Mutant(self):
        return MutantsOf("unit.cpp", SOURCE)[0]


def Tests(*scripts, timeout=30):
    return [Stage(["all"], [Command(f"test{i}", ["sh", "-c", s], timeout=timeout) for i, s in enumerate(scripts)])]


class TheSourceIsRestoredOnEveryPath(unittest.TestCase):
    def test_after_a_mutant_the_file_is_as_it_was_and_the_tests_saw_the_mutant(self):
        project = Project(self)
        mutant = project.Mutant()
        # The test fails only while the mutated text is in place.
        project.runner.Run(mutant, Tests("grep -q 'i <= list' unit.cpp && exit 1 || exit 0"))
        self.assertEqual(mutant.status, KILLED)
        self.assertEqual(project.source.read_text(), SOURCE)
        self.assertFalse(project.runner.guard.journal.exists())

    def test_an_interrupt_while_the_tests_run_restores_the_source_and_ends_the_tests(self):
        project = Project(self)
        marker = project.root / "still-running"
        threading.Timer(0.5, lambda: os.kill(os.getpid(), signal.SIGINT)).start()
        with self.assertRaises(KeyboardInterrupt):
            project.runner.Run(project.Mutant(), Tests(f"sleep 1; touch {marker}; sleep 30"))
        self.assertEqual(project.source.read_text(), SOURCE)
        threading.Event().wait(1.5)
        self.assertFalse(marker.exists(), "the tests' process group outlived the interrupt")

    def test_a_run_killed_outright_is_undone_by_the_next(self):
        project = Project(self)
        guard = SourceGuard(project.runner.guard.journal)
        guard.Mutate(project.source, SOURCE, "mutated")  # and then the process is gone
        self.assertEqual(project.runner.guard.RestoreLeftovers(), [str(project.source)])
        self.assertEqual(project.source.read_text(), SOURCE)
        self.assertEqual(project.runner.guard.RestoreLeftovers(), [])


class AMutantIsClassifiedByItsBuildAndTests(unittest.TestCase):
    def Judge(self, stages, build="true"):
        project = Project(self, build)
        mutant = project.Mutant()
        project.runner.Run(mutant, stages)
        return mutant

    def test_a_failing_test_kills_it_and_later_tests_do_not_run(self):
        mutant = self.Judge(Tests("exit 0", "exit 1", "exit 99"))
        self.assertEqual((mutant.status, mutant.killed_by), (KILLED, "test1"))

    def test_a_crash_kills_it(self):
        self.assertEqual(self.Judge(Tests("kill -SEGV $$")).status, KILLED)

    def test_it_survives_when_every_test_passes(self):
        self.assertEqual(self.Judge(Tests("exit 0", "exit 0")).status, SURVIVED)

    def test_a_test_past_its_timeout_is_ended_and_reported(self):
        mutant = self.Judge(Tests("sleep 30", timeout=0.5))
        self.assertEqual((mutant.status, mutant.detail), (TIMED_OUT, "test0"))
        self.assertLess(mutant.seconds, 10)

    def test_one_that_does_not_build_is_stillborn_with_the_first_error(self):
        mutant = self.Judge(Tests("exit 0"), build="echo 'unit.cpp:4: error: no match'; exit 1")
        self.assertEqual((mutant.status, mutant.detail), (STILLBORN, "unit.cpp:4: error: no match"))


class EveryUnitIsJudgedByTheSuitesThatSeeIt(unittest.TestCase):
    ROOT = Path(__file__).resolve().parents[2]

    def Suites(self, path):
        import mutate
        return [command.name for stage in mutate.StagesFor(path, Path("/b"), {}) for command in stage.commands]

    def test_every_unit_of_the_libraries_has_suites_and_the_toolkit_is_seen_natively(self):
        units = sorted(str(p.relative_to(self.ROOT)) for p in (self.ROOT / "Framework/Source").rglob("*.cpp"))
        self.assertGreater(len(units), 50)
        for unit in units:
            suites = self.Suites(unit)
            self.assertIn("test_workbench", suites, unit)
            if "/Platform/Toolkit" in unit or "/Platform/Host/" in unit:
                self.assertIn("test_native", suites, unit)
        self.assertEqual(self.Suites("Framework/Source/Platform/Toolkit/TbxDocks.cpp")[:2], ["test_toolkit", "test_native"])

    def test_a_hung_mutant_is_ended_after_twice_the_unmutated_time(self):
        from run import HangTimeout
        self.assertEqual(HangTimeout(60), 130)
        self.assertLess(HangTimeout(0.1), 11)


if __name__ == "__main__":
    unittest.main()


class EveryEquivalentEntryNamesAMutant(unittest.TestCase):
    def test_each_entry_of_the_list_matches_a_mutant_of_the_source_as_it_stands(self):
        import mutate

        entries = mutate.ReadEquivalents(mutate.EQUIVALENTS)
        files = {file for file, _, _ in entries}
        mutants = []
        for file in files:
            path = mutate.ROOT / "Framework" / "Source" / file
            self.assertTrue(path.exists(), f"{file} of the list does not exist")
            mutants += MutantsOf(str(path.relative_to(mutate.ROOT)), path.read_text())
        stale = mutate.MarkEquivalents(mutants, entries)
        self.assertEqual(stale, [], "entries that match no mutant (the line or the change was written otherwise)")
