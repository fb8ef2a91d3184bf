"""Running mutants: apply one, rebuild what its tests need, run them cheapest first, classify,
restore. The source is restored on every path: after each mutant, on an exception, on Ctrl-C and
SIGTERM; a run that was killed outright leaves a journal, which the next run restores first.
"""

import json
import os
import re
import signal
import subprocess
import time
from dataclasses import dataclass, field
from pathlib import Path

KILLED, SURVIVED, TIMED_OUT, EQUIVALENT, STILLBORN = "killed", "survived", "timed out", "equivalent", "stillborn"


@dataclass
class Command:
    name: str
    argv: list
    env: dict = field(default_factory=dict)
    timeout: float = 0.0  # seconds; set from the baseline run when 0


@dataclass
class Stage:
    """Targets to build, then commands run in order until one fails."""

    targets: list
    commands: list


class Interrupted(Exception):
    pass


def RaiseInterrupted(signum, frame):
    raise Interrupted(signal.Signals(signum).name)


class SourceGuard:
    """Owns the original text of mutated files from before they are written until they are back.
    The journal lets a later run undo a run that was killed with SIGKILL."""

    def __init__(self, journal: Path):
        self.journal = journal

    def RestoreLeftovers(self):
        """The files that a killed run left mutated, restored; [] when there were none."""
        if not self.journal.exists():
            return []
        entries = json.loads(self.journal.read_text())
        for path, text in entries.items():
            Path(path).write_text(text)
        self.journal.unlink()
        return sorted(entries)

    def MutateAll(self, changes):
        """changes: {path: (original, mutated)}."""
        self.journal.parent.mkdir(parents=True, exist_ok=True)
        partial = self.journal.with_suffix(".partial")
        partial.write_text(json.dumps({str(p): original for p, (original, _) in changes.items()}))
        partial.replace(self.journal)
        for path, (_, mutated) in changes.items():
            Path(path).write_text(mutated)

    def RestoreAll(self, originals):
        """originals: {path: original}."""
        # A second Ctrl-C must not cut the restoring short.
        blocked = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT, signal.SIGTERM, signal.SIGHUP})
        try:
            for path, original in originals.items():
                if Path(path).read_text() != original:
                    Path(path).write_text(original)
            if self.journal.exists():
                self.journal.unlink()
        finally:
            signal.pthread_sigmask(signal.SIG_SETMASK, blocked)

    def Mutate(self, path: Path, original: str, mutated: str):
        self.MutateAll({path: (original, mutated)})

    def Restore(self, path: Path, original: str):
        self.RestoreAll({path: original})


def RunGroup(argv, cwd, env, timeout, log):
    """The command in a process group of its own, all of which goes at the timeout or on an
    interrupt. Returns (exit status or None on timeout, seconds)."""
    start = time.monotonic()
    with open(log, "w") as out:
        process = subprocess.Popen(argv, cwd=cwd, env={**os.environ, **env}, stdout=out, stderr=subprocess.STDOUT,
                                   start_new_session=True)
        try:
            status = process.wait(timeout=timeout or None)
        except subprocess.TimeoutExpired:
            status = None
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            # Children that the command left behind (a spawned server) go with it.
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
    return status, time.monotonic() - start


def HangTimeout(baseline_seconds):
    """How long a suite may take on a mutant: a hang is ended after twice the unmutated time and a
    margin for a loaded machine, not after the minutes a whole run would wait."""
    return 10.0 + 2.0 * baseline_seconds


class Runner:
    def __init__(self, root: Path, build_dir: Path, build_command, progress=print):
        self.root = root
        self.build_dir = build_dir
        self.build_command = build_command  # targets -> argv
        self.progress = progress
        self.guard = SourceGuard(build_dir / "mutate-journal.json")
        self.log = build_dir / "mutate-last.log"

    def Build(self, targets, keep_going=False):
        status, _ = RunGroup(self.build_command(targets, keep_going), self.root, {}, 0, self.log)
        return status == 0

    def BuildSchemata(self, schemata, targets):
        """Writes every schema ({path: (original, schema)}), builds the targets once with them and
        puts the sources back. The files whose schema does not compile; [] when all did."""
        self.guard.MutateAll(schemata)
        try:
            built = self.Build(targets, keep_going=True)
        finally:
            self.guard.RestoreAll({path: original for path, (original, _) in schemata.items()})
        if built:
            return []
        log = self.log.read_text(errors="replace")
        failed = [path for path in schemata if re.search(re.escape(Path(path).name) + r":\d+:\d+: error", log)]
        if not failed:
            raise RuntimeError(f"the schema build fails outside the mutated units: {self.FirstError()}")
        return failed

    def FirstError(self):
        lines = self.log.read_text(errors="replace").splitlines()
        errors = [line for line in lines if "error" in line.lower()]
        return (errors or lines or [""])[0][:200]

    def Baseline(self, stages, build=True):
        """Builds the unmutated tree (unless the schema build stands in for it: no switch is on),
        runs every command and sets each timeout from its time. Raises when the unmutated suite
        fails: no mutant could be judged."""
        for stage in stages:
            if build and not self.Build(stage.targets):
                raise RuntimeError(f"the unmutated build fails: {self.FirstError()}")
            for command in stage.commands:
                status, seconds = RunGroup(command.argv, self.root, command.env, 1800, self.log)
                if status != 0:
                    raise RuntimeError(f"{command.name} fails on the unmutated tree (log: {self.log})")
                if not command.timeout:
                    command.timeout = HangTimeout(seconds)
                self.progress(f"baseline: {command.name} {seconds:.1f} s, timeout {command.timeout:.0f} s")

    def Judge(self, mutant, stages):
        """Tests the mutant: a switched one in the schema build with its switch on, any other as it
        stands in the tree, built stage by stage."""
        switch = {"NUV_MUTANT": str(mutant.number)} if mutant.number else {}
        for stage in stages:
            if not mutant.number and not self.Build(stage.targets):
                return STILLBORN, self.FirstError()
            for command in stage.commands:
                status, _ = RunGroup(command.argv, self.root, {**command.env, **switch}, command.timeout, self.log)
                if status is None:
                    return TIMED_OUT, command.name
                if status != 0:
                    return KILLED, command.name
        return SURVIVED, ""

    def Run(self, mutant, stages):
        """A switched mutant is tested in the schema build; any other is applied, built and tested,
        and the source is put back whatever happens."""
        if mutant.number:
            start = time.monotonic()
            mutant.status, mutant.detail = self.Judge(mutant, stages)
            mutant.seconds = time.monotonic() - start
            mutant.killed_by = mutant.detail if mutant.status in (KILLED, TIMED_OUT) else ""
            return
        path = self.root / mutant.path
        original = path.read_text()
        start = time.monotonic()
        self.guard.Mutate(path, original, mutant.apply(original))
        try:
            mutant.status, mutant.detail = self.Judge(mutant, stages)
        finally:
            self.guard.Restore(path, original)
        mutant.seconds = time.monotonic() - start
        if mutant.status in (KILLED, TIMED_OUT):
            mutant.killed_by = mutant.detail

    def RunAll(self, mutants, stages_of):
        """Every mutant not yet classified: the switched ones first, while the schema build stands."""
        pending = sorted((m for m in mutants if not m.status), key=lambda m: m.number == 0)
        for number, mutant in enumerate(pending, 1):
            self.Run(mutant, stages_of(mutant))
            self.progress(f"[{number}/{len(pending)}] {mutant.status:9} {mutant.path}:{mutant.line} "
                          f"{mutant.change()} ({mutant.detail or '-'}; {mutant.seconds:.1f} s)")


class SignalsInterrupt:
    """SIGTERM and SIGHUP end the run as Ctrl-C does, so that every restoring path runs."""

    def __enter__(self):
        self.previous = {s: signal.signal(s, RaiseInterrupted) for s in (signal.SIGTERM, signal.SIGHUP)}

    def __exit__(self, *exc):
        for s, handler in self.previous.items():
            signal.signal(s, handler)
