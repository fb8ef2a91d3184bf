"""Mutant schemata: every mutant of a file compiled into it at once, each behind a switch that the
NUV_MUTANT environment variable turns on. The tree is then built once for the whole run, and a
mutant costs only its tests. A mutant's text is the same as when it is applied alone.
"""

import re

from mutants import Blank, MatchingParen

PRECEDENCE = {"<": 9, "<=": 9, ">": 9, ">=": 9, "==": 8, "!=": 8, "&&": 4, "||": 3}
# Some mutants draw a warning that the units' -Werror refuses, and are mutants all the same, so
# those warnings are off in a schema: a loosened comparison of an unsigned count with 0 ("> 0" to
# ">= 0") is always true; a guard turned round ("!p || !p->F()" to "!p && !p->F()") calls through
# a pointer known to be null; and "while (true)" behind a switch may end, so the compiler sees
# the function run off its end.
PRELUDE = """#include <cstdlib>
#pragma GCC diagnostic ignored "-Wtype-limits"
#pragma GCC diagnostic ignored "-Wnonnull"
#pragma GCC diagnostic ignored "-Wreturn-type"
namespace {
[[maybe_unused]] bool NUVMutantOn(int id) {
  static const int active = [] {
    const char* text = std::getenv("NUV_MUTANT");
    return text ? std::atoi(text) : 0;
  }();
  return active == id;
}
}  // namespace
"""


def StopsAt(masked, k, precedence, direction):
    """True when the operand that reaches offset k ends there: a separator, or a binary operator
    that binds no tighter than the mutated one."""
    c = masked[k]
    if c in ",;?":
        return True
    if c == ":" and masked[k - 1 : k + 1] != "::" and masked[k : k + 2] != "::":
        return True
    if c == "=" and masked[k - 1].isspace() and masked[k + 1].isspace():
        return True
    for op, level in PRECEDENCE.items():
        a = k - len(op) + 1 if direction < 0 else k
        if masked[a : a + len(op)] == op and masked[a - 1].isspace() and masked[a + len(op)].isspace():
            # Operators of one level group to the left: a + b + c is (a + b) + c.
            return level < precedence if direction < 0 else level <= precedence
    return direction < 0 and re.match(r"\breturn\b", masked[k - 5 : k + 1]) is not None


def OperandStart(masked, s, precedence):
    depth, k = 0, s - 1
    while k >= 0:
        c = masked[k]
        if c in ")]}":
            depth += 1
        elif c in "([{":
            if depth == 0:
                break
            depth -= 1
        elif depth == 0 and StopsAt(masked, k, precedence, -1):
            break
        k -= 1
    k += 1
    while masked[k].isspace():
        k += 1
    return k


def OperandEnd(masked, e, precedence):
    depth, k = 0, e
    while k < len(masked):
        c = masked[k]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            if depth == 0:
                break
            depth -= 1
        elif depth == 0 and StopsAt(masked, k, precedence, 1):
            break
        k += 1
    while masked[k - 1].isspace():
        k -= 1
    return k


class Site:
    """A mutant's place in the schema: the span it covers and how it reads there."""

    def __init__(self, mutant, number, masked):
        self.mutant, self.number = mutant, number
        if mutant.kind in ("relational", "equality", "logical"):
            level = PRECEDENCE[mutant.original]
            self.start = OperandStart(masked, mutant.start, level)
            self.end = OperandEnd(masked, mutant.end, level)
        else:
            self.start, self.end = mutant.start, mutant.end

    def Mutated(self, text, sites):
        m = self.mutant
        if m.kind in ("relational", "equality", "logical"):
            left = Rewrite(text, self.start, m.start, sites)
            right = Rewrite(text, m.end, self.end, sites)
            return f"(({left}) {m.replacement} ({right}))"
        if m.kind == "negate":
            return f"!({Rewrite(text, m.start, m.end, sites)})"
        return m.replacement

    def Original(self, text, sites):
        m = self.mutant
        if m.kind in ("relational", "equality", "logical"):
            left = Rewrite(text, self.start, m.start, sites)
            right = Rewrite(text, m.end, self.end, sites)
            return f"(({left}) {m.original} ({right}))"
        return Rewrite(text, m.start, m.end, sites)


def Rewrite(text, a, b, sites):
    """text[a:b] with every site inside it switched; sites with the same span are chained."""
    inside = [s for s in sites if a <= s.start and s.end <= b and (s.start, s.end) != (a, b)]
    outer = [s for s in inside if not any(o is not s and o.start <= s.start and s.end <= o.end
                                              and (o.start, o.end) != (s.start, s.end) for o in inside)]
    out, k = [], a
    for span in sorted({(s.start, s.end) for s in outer}):
        if span[0] < k:
            raise ValueError(f"mutants overlap at offset {span[0]}")
        same = [s for s in outer if (s.start, s.end) == span]
        out.append(text[k : span[0]])
        out.append(Switched(text, same, sites))
        k = span[1]
    out.append(text[k:b])
    return "".join(out)


def Switched(text, same, sites):
    """The sites of one span as a chain of switches, the original last."""
    first = same[0]
    # Everything nested strictly inside this span is rewritten in each branch.
    inner = [s for s in sites if s not in same]
    statement = first.mutant.kind == "call-removed"
    original = first.Original(text, inner)
    if statement:
        switches = " ".join(f"if (!NUVMutantOn({s.number}))" for s in same)
        return f"{{ {switches} {{ {original} }} }}"
    chain = f"static_cast<bool>({original})" if first.mutant.kind in ("negate", "guard") else original
    for s in reversed(same):
        chain = f"(NUVMutantOn({s.number}) ? ({s.Mutated(text, inner)}) : ({chain}))"
    return chain


def Schema(text, numbered):
    """The file's text with every (number, mutant) switched in."""
    masked = Blank(text)
    sites = [Site(m, n, masked) for n, m in numbered]
    return PRELUDE + Rewrite(text, 0, len(text), sites)
