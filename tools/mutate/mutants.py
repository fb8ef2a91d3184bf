"""The mutants of a C++ source file: small faults at its decision points.

Each mutant is one textual change at one place. The source is scanned with its comments and
literals blanked out, so that nothing inside them is mutated; clang-format's spacing (binary
operators between blanks) tells comparisons from template brackets.
"""

import re
from dataclasses import dataclass, field

# Calls whose loss leaves something registered, published or allocated behind.
RELEASING_CALLS = re.compile(r"^(Withdraw\w*|Unregister\w*|UnBind\w*|Free\w*|Delete\w*|Remove\w*|reset|erase)$")
# What an "if" must do for it to count as a guard: leave, or raise.
GUARD_BODIES = re.compile(r"(return|throw|continue|break|NUVViewPartErrorFmt)\b")
RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
EQUALITY = {"==": "!=", "!=": "=="}
LOGICAL = {"&&": "||", "||": "&&"}
# A condition that declares a variable cannot be negated as it stands.
DECLARATION = re.compile(r"^\s*(const\s+)?[A-Za-z_][\w:<>]*\s*[*&]*\s+[*&]*\w+\s*=[^=]")


@dataclass
class Mutant:
    path: str  # as given, relative to the project root
    start: int  # offset of the replaced text
    end: int
    original: str
    replacement: str
    kind: str
    line: int = 0
    line_text: str = ""
    occurrence: int = 0  # 1-based among identical changes on the same line; 0 when alone
    number: int = 0  # its switch in the schema build; 0 when it is built on its own
    status: str = ""
    detail: str = ""
    seconds: float = 0.0
    killed_by: str = ""
    reason: str = field(default="", repr=False)

    def change(self) -> str:
        text = f"{self.kind}: `{Squeeze(self.original)}` -> `{Squeeze(self.replacement)}`"
        return f"{text} #{self.occurrence}" if self.occurrence else text

    def key(self) -> tuple:
        """What identifies the mutant across edits elsewhere in the file."""
        return (self.path, self.line_text, self.change())

    def apply(self, text: str) -> str:
        return text[: self.start] + self.replacement + text[self.end :]


def Squeeze(text: str) -> str:
    return " ".join(text.split())


def Blank(text: str) -> str:
    """The text with comments, string and character literals replaced by blanks (same length,
    line ends kept)."""
    out = list(text)
    i, n = 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i + 2)
            delimiter = text[i + 2 : open_paren]
            j = text.find(")" + delimiter + '"', open_paren)
            j = n if j < 0 else j + len(delimiter) + 2
            blank(i + 1, j)
            i = j
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():  # a digit separator
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, j)
            i = j + 1
        elif c == "#" and (i == 0 or text[i - 1] == "\n"):  # preprocessor lines, with continuations
            j = i
            while True:
                e = text.find("\n", j)
                if e < 0:
                    e = n
                    break
                if text[e - 1] != "\\":
                    break
                j = e + 1
            blank(i, e)
            i = e
        else:
            i += 1
    return "".join(out)


def MatchingParen(masked: str, open_at: int) -> int:
    depth = 0
    for k in range(open_at, len(masked)):
        if masked[k] in "([{":
            depth += 1
        elif masked[k] in ")]}":
            depth -= 1
            if depth == 0:
                return k
    return -1


def TopLevelSemicolon(masked: str, a: int, b: int) -> int:
    """The last ';' between a and b outside nested brackets, or -1."""
    depth, found = 0, -1
    for k in range(a, b):
        if masked[k] in "([{":
            depth += 1
        elif masked[k] in ")]}":
            depth -= 1
        elif masked[k] == ";" and depth == 0:
            found = k
    return found


def Operators(path, masked, table, kind):
    pattern = "|".join(re.escape(op) for op in sorted(table, key=len, reverse=True))
    for m in re.finditer(r"(?<=\s)(" + pattern + r")(?=\s)", masked):
        yield Mutant(path, m.start(), m.end(), m.group(1), table[m.group(1)], kind)


def Headers(masked, keywords):
    """(keyword, open paren, close paren) of each if/while/for header."""
    for m in re.finditer(r"\b(" + "|".join(keywords) + r")\s*\(", masked):
        open_at = m.end() - 1
        close_at = MatchingParen(masked, open_at)
        if close_at > 0:
            yield m.group(1), open_at, close_at


def Condition(masked, open_at, close_at):
    """The span of the condition proper (after an init-statement), stripped, or None when it
    declares a variable."""
    a = open_at + 1
    semicolon = TopLevelSemicolon(masked, a, close_at)
    if semicolon >= 0:
        a = semicolon + 1
    while masked[a].isspace():
        a += 1
    b = close_at
    while masked[b - 1].isspace():
        b -= 1
    if DECLARATION.match(masked[a:b]) or a >= b:
        return None
    return a, b


def Negations(path, text, masked):
    for _, open_at, close_at in Headers(masked, ["if", "while"]):
        span = Condition(masked, open_at, close_at)
        if span:
            a, b = span
            condition = text[a:b]
            # "!x" is negated as "x"; anything longer is bracketed.
            negated = condition[1:] if re.fullmatch(r"!\w+", condition) else f"!({condition})"
            yield Mutant(path, a, b, condition, negated, "negate")


def Guards(path, text, masked):
    """An if whose body leaves or raises, made never to fire."""
    for _, open_at, close_at in Headers(masked, ["if"]):
        body = masked[close_at + 1 :].lstrip()
        if body.startswith("{"):
            body = body[1:].lstrip()
        if not GUARD_BODIES.match(body):
            continue
        span = Condition(masked, open_at, close_at)
        if span:
            a, b = span
            yield Mutant(path, a, b, text[a:b], "false", "guard")


def StatementStarts(masked):
    """Offsets where a statement may begin: after ';', '{', '}' outside parentheses, after the
    header of an if/for/while, and after else."""
    starts, depth = [], 0
    for k, c in enumerate(masked):
        if c == "(":
            depth += 1
        elif c == ")":
            depth -= 1
        elif c in ";{}" and depth == 0:
            starts.append(k + 1)
    for _, _, close_at in Headers(masked, ["if", "while", "for"]):
        starts.append(close_at + 1)
    for m in re.finditer(r"\belse\b", masked):
        starts.append(m.end())
    return sorted(set(starts))


CALL_CHAIN = re.compile(r"((?:\w+(?:::|\.|->))*(\w+))\s*\(")


def ReleasingCalls(path, text, masked):
    """A statement that only calls something that withdraws, unregisters or frees, or deletes,
    left out."""
    for s in StatementStarts(masked):
        while s < len(masked) and masked[s].isspace():
            s += 1
        m = re.compile(r"delete\s+[^;]+;").match(masked, s)
        if m:
            end = m.end()
        else:
            m = CALL_CHAIN.match(masked, s)
            if not m or not RELEASING_CALLS.match(m.group(2)):
                continue
            close_at = MatchingParen(masked, m.end() - 1)
            rest = masked[close_at + 1 :]
            if close_at < 0 or not rest.lstrip().startswith(";"):
                continue
            end = close_at + 1 + rest.index(";") + 1
        yield Mutant(path, s, end, text[s:end], "{}", "call-removed")


def Locate(mutants, text):
    """Line numbers, line texts and occurrence numbers."""
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]
    lines = text.split("\n")
    import bisect

    for mutant in mutants:
        index = bisect.bisect_right(line_starts, mutant.start) - 1
        mutant.line = index + 1
        mutant.line_text = lines[index].strip()
    seen = {}
    for mutant in mutants:
        seen.setdefault((mutant.line, mutant.change()), []).append(mutant)
    for group in seen.values():
        if len(group) > 1:
            for number, mutant in enumerate(group, 1):
                mutant.occurrence = number
    return mutants


ASSERTIONS = re.compile(r"\b(NUV_ASSERT|AssertAt|static_assert)\s*\(")


def InsideAssertion(masked, offset):
    """Assertions state what callers must ensure; their conditions are not behaviour to mutate."""
    for m in ASSERTIONS.finditer(masked, 0, offset + 1):
        if m.start() <= offset <= MatchingParen(masked, m.end() - 1):
            return True
    return False


def MutantsOf(path, text, lines=None):
    """Every mutant of the file, in the order of its place; lines=(first, last) keeps only those
    starting in that range."""
    masked = Blank(text)
    found = []
    found += Operators(path, masked, RELATIONAL, "relational")
    found += Operators(path, masked, EQUALITY, "equality")
    found += Operators(path, masked, LOGICAL, "logical")
    found += Negations(path, text, masked)
    found += Guards(path, text, masked)
    found += ReleasingCalls(path, text, masked)
    found = [m for m in found if not InsideAssertion(masked, m.start)]
    found.sort(key=lambda m: (m.start, m.kind))
    Locate(found, text)
    if lines:
        found = [m for m in found if lines[0] <= m.line <= lines[1]]
    return found
