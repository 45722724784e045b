#!/usr/bin/env python3
"""mutate.py: a small mutation-testing tool for QzCore's C++ sources.

It plants one small fault (a "mutant") at a time in a scratch copy of the
source tree, rebuilds that subsystem's test programs, runs them, and records
whether any test noticed. The score of a subsystem is
    (killed + timed out) / (killed + timed out + survived)
with mutants that do not compile (stillborn), that no longer match the
sources (stale) and that a human judged equivalent left out.

Usage
    python3 scripts/mutate.py generate [--seed N] [--count N] [--subsystem S[,S]]
        enumerate every mutation site of every source file, draw a seeded
        sample of --count mutants per subsystem (150 by default) and write
        scripts/mutants.tsv. Same seed and same sources give the same list.
        With --subsystem only the named subsystems are drawn again (or added);
        every other subsystem's rows, and its equivalent judgements, stay
        byte for byte as they are, so results measured on them stay valid.
    python3 scripts/mutate.py run [--subsystem S] [--limit N] [--ids A,B]
                                  [--jobs 1|2] [--resume] [--out FILE]
        run the listed mutants; results go to build/mutate/results.json
        (rewritten after every mutant; --resume skips mutants already there)
        and a copy under build/mutate/runs/. --limit N takes at most N
        mutants per subsystem, spread evenly over its list.
    python3 scripts/mutate.py report [FILE]
        the per-subsystem table, how many tests each kill takes, how many
        mutants each test kills (and kills alone), and the survivors.
    python3 scripts/mutate.py compare OLD.json NEW.json
        names every mutant killed in OLD and not in NEW (exit status 1 if
        any) and the score change per subsystem.
    python3 scripts/mutate.py sites FILE...
        print every mutation site of the given files (to check the rules).
    make mutate [MUTATE_ARGS="--subsystem foundation --limit 20"]
        generate (only if the list is missing), run, report.

After the sources change, regenerate the list (`generate`, then commit
scripts/mutants.tsv): a listed mutant whose original text is no longer at its
line and column is reported as stale and never run.

Mutation rules (one mutant changes one site):
    relational        <  <->  <=,  >  <->  >=,  ==  <->  !=
    arithmetic        +  <->  -,  *  <->  /,  %  ->  *      (binary only)
    logical           &&  <->  ||
    bitwise           &  <->  |,  <<  <->  >>,  ^  ->  |    (binary only)
    assignment        +=  <->  -=,  *=  <->  /=,  %=  ->  *=,  |=  <->  &=,
                      ^=  ->  |=,  <<=  <->  >>=
    increment         ++  <->  --   (prefix and postfix)
    constant          integer literal n -> n+1 and n -> n-1 (not below 0),
                      base and suffix kept; array sizes in declarations skipped
    boolean           true  <->  false
    negate-condition  if (c) -> if (!(c)), while (c) -> while (!(c))
    delete-statement  an expression statement, break;, continue; or a bare
                      return; becomes the empty statement ';'
Sites are only in code: never in comments, string or character literals,
preprocessor lines or branches that are off on Linux x86-64, static_assert,
decltype/noexcept/alignas operands, template argument lists, or operator
names. A binary '*', '&' or '&&' must have blanks on both sides (house style
writes 'T* p' and 'T&& x'), which keeps pointer, reference and address-of
uses out. Declarations, returns with a value and releases of memory (delete)
are not deleted; a deleted delete only leaks, which the sanitizer runs catch.

Subsystems are the SUBSYSTEMS table below: the source folders mutated and
the test folder whose qz_gtest programs are built and run. Equivalent mutants
(no test could ever tell them apart) are listed by a human in
scripts/mutants-equivalent.tsv: id, a tab, a one-line reason.

Runs build in build/mutate/w<N>/build (RelWithDebInfo at -O1, asserts on,
tests on, benchmarks off) from a copy of the working tree in
build/mutate/w<N>/src, refreshed at start; the working tree is never touched.
Each test program runs directly, quickest first, with a timeout of ten times
its unmutated run time (at least 5 s), measured once at the start of a run,
so a loaded machine gives longer timeouts. Once a program hangs, the slower
ones are skipped; once a mutant is killed, the remaining programs get twice
their unmutated time. A killed mutant records which tests failed (a crash blames
the test that was running) and what the first failing check printed.
"""

import argparse
import bisect
import json
import os
import random
import re
import shutil
import signal
import statistics
import subprocess
import sys
import threading
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LIST_FILE = ROOT / "scripts" / "mutants.tsv"
EQUIVALENT_FILE = ROOT / "scripts" / "mutants-equivalent.tsv"
WORK_DIR = ROOT / "build" / "mutate"
RESULTS_FILE = WORK_DIR / "results.json"

# name, source folders (every .cpp and .h below them), test folder, extra build targets
SUBSYSTEMS = [
    ("foundation", ["core/foundation"], "tests/foundation", []),
    ("system", ["core/system"], "tests/system", []),
    ("compression", ["core/compression"], "tests/compression", []),
    ("tool", ["tool"], "tests/tool", ["QzCompress", "QzDecompress"]),
    ("identifier", ["core/identifier"], "tests/identifier", []),
    ("math", ["core/math"], "tests/math", []),
    ("reflection", ["core/reflection"], "tests/reflection", []),
    ("geometry", ["core/geometry"], "tests/geometry", []),
]

DEFAULT_SEED = 1
DEFAULT_COUNT = 150
TIMEOUT_FACTOR = 10.0
TIMEOUT_FLOOR = 5.0
KILLED_TIMEOUT_FACTOR = 2.0
BUILD_TIMEOUT = 900
GROUP_SIZE = 8
COLUMNS = ["id", "subsystem", "file", "line", "column", "rule", "original", "replacement"]
DETECTED = ("killed", "timeout")

# ---------------------------------------------------------------- tokens ----

KEYWORDS = set("""
alignas alignof and and_eq asm auto bitand bitor bool break case catch char char8_t char16_t
char32_t class compl concept const consteval constexpr constinit const_cast continue co_await
co_return co_yield decltype default delete do double dynamic_cast else enum explicit export
extern false float for friend goto if inline int long mutable namespace new noexcept not not_eq
nullptr operator or or_eq private protected public register reinterpret_cast requires return
short signed sizeof static static_assert static_cast struct switch template this thread_local
throw true try typedef typeid typename union unsigned using virtual void volatile wchar_t while
xor xor_eq final override
""".split())
VALUE_KEYWORDS = {"this", "true", "false", "nullptr"}
# operands of these are types or compile-time facts: never mutated
SKIP_CALLS = {"static_assert", "decltype", "noexcept", "alignas", "alignof", "__attribute__",
              "_Static_assert", "__declspec", "sizeof"}

PUNCTUATORS = sorted("""
<<= >>= ... ->* <=> -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= :: .* ##
{ } [ ] ( ) ; : ? . + - * / % ^ & | ~ ! = < > , #
""".split(), key=len, reverse=True)

# on this platform: macros whose definedness the preprocessor branches test
KNOWN_MACROS = {"__x86_64__": 1, "__GNUC__": 1, "__linux__": 1, "__unix__": 1, "__cplusplus": 1,
                "_WIN32": 0, "_WIN64": 0, "_MSC_VER": 0, "__APPLE__": 0, "__i386__": 0,
                "__aarch64__": 0, "__arm__": 0, "__clang__": None}

NUMBER_RE = re.compile(r"\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.']|)*")
IDENT_RE = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
STRING_PREFIXES = {"u8", "u", "U", "L"}


class Token:
    __slots__ = ("kind", "text", "start", "end", "live")

    def __init__(self, kind, text, start, end, live):
        self.kind, self.text, self.start, self.end, self.live = kind, text, start, end, live

    def __repr__(self):
        return f"{self.kind}:{self.text}@{self.start}"


def eval_condition(directive, expr):
    """1, 0 or None (cannot tell) for a preprocessor condition."""
    expr = expr.split("//")[0].split("/*")[0].strip()
    if directive in ("ifdef", "ifndef"):
        value = KNOWN_MACROS.get(expr)
        if value is None:
            return None
        return value if directive == "ifdef" else 1 - value
    unknown = False

    def defined(match):
        nonlocal unknown
        value = KNOWN_MACROS.get(match.group(1))
        if value is None:
            unknown = True
            return "0"
        return str(value)

    expr = re.sub(r"defined\s*\(\s*(\w+)\s*\)|defined\s+(\w+)",
                  lambda m: defined(re.match(r"(\w+)", m.group(1) or m.group(2))), expr)
    if unknown or re.search(r"[A-Za-z_]", expr.replace("&&", "").replace("||", "")):
        return None
    py = expr.replace("&&", " and ").replace("||", " or ").replace("!", " not ")
    try:
        return 1 if eval(py, {"__builtins__": {}}) else 0  # only digits, parens and logic remain
    except Exception:
        return None


def tokenize(text):
    """Code tokens of a C++ source; comments, literals' insides and
    preprocessor lines never become separate tokens. Tokens in branches that
    are off on this platform get live=False."""
    tokens = []
    i, n = 0, len(text)
    at_line_start = True
    frames = []  # per #if: [live before it, some branch taken (1/0/None), this branch live]

    def live():
        return all(f[2] for f in frames)

    while i < n:
        c = text[i]
        if c == "\n":
            at_line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if c == "\\" and text.startswith("\n", i + 1):
            i += 2
            continue
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
            continue
        if c == "#" and at_line_start:
            j = i
            while True:
                k = text.find("\n", j)
                if k < 0:
                    k = n
                    break
                if text[k - 1] == "\\":
                    j = k + 1
                    continue
                break
            line = re.sub(r"\\\n", " ", text[i + 1:k]).strip()
            m = re.match(r"(\w+)\s*(.*)", line)
            if m:
                d, rest = m.group(1), m.group(2)
                if d in ("if", "ifdef", "ifndef"):
                    v = eval_condition(d, rest)
                    frames.append([live(), v, v != 0])
                elif d == "elif" and frames:
                    f = frames[-1]
                    v = eval_condition("if", rest)
                    if f[1] == 1:
                        f[2] = False
                    else:
                        f[2] = v != 0
                        f[1] = 1 if v == 1 else (None if v is None or f[1] is None else 0)
                elif d == "else" and frames:
                    f = frames[-1]
                    f[2] = f[1] != 1
                elif d == "endif" and frames:
                    frames.pop()
            i = k
            continue
        at_line_start = False
        m = IDENT_RE.match(text, i)
        if m:
            word = m.group(0)
            j = m.end()
            if j < n and text[j] in "\"'" and (word in STRING_PREFIXES or word.endswith("R")):
                if word.endswith("R") and text[j] == '"':
                    k = text.find("(", j)
                    delim = text[j + 1:k]
                    close = text.find(")" + delim + '"', k)
                    end = n if close < 0 else close + len(delim) + 2
                    tokens.append(Token("str", text[i:end], i, end, live()))
                    i = end
                    continue
                if word in STRING_PREFIXES:
                    end = skip_quoted(text, j)
                    tokens.append(Token("str" if text[j] == '"' else "chr", text[i:end], i, end, live()))
                    i = end
                    continue
            tokens.append(Token("id", word, i, j, live()))
            i = j
            continue
        if c.isdigit() or (c == "." and i + 1 < n and text[i + 1].isdigit()):
            m = NUMBER_RE.match(text, i)
            tokens.append(Token("num", m.group(0), i, m.end(), live()))
            i = m.end()
            continue
        if c in "\"'":
            end = skip_quoted(text, i)
            tokens.append(Token("str" if c == '"' else "chr", text[i:end], i, end, live()))
            i = end
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, i):
                tokens.append(Token("op", p, i, i + len(p), live()))
                i += len(p)
                break
        else:
            tokens.append(Token("op", c, i, i + 1, live()))
            i += 1
    return tokens


def skip_quoted(text, i):
    quote = text[i]
    j = i + 1
    while j < len(text) and text[j] != quote and text[j] != "\n":
        j += 2 if text[j] == "\\" else 1
    return min(j + 1, len(text))


# ----------------------------------------------------------------- sites ----

SWAPS = {
    "<": ("relational", ["<="]), "<=": ("relational", ["<"]),
    ">": ("relational", [">="]), ">=": ("relational", [">"]),
    "==": ("relational", ["!="]), "!=": ("relational", ["=="]),
    "+": ("arithmetic", ["-"]), "-": ("arithmetic", ["+"]),
    "*": ("arithmetic", ["/"]), "/": ("arithmetic", ["*"]), "%": ("arithmetic", ["*"]),
    "&&": ("logical", ["||"]), "||": ("logical", ["&&"]),
    "&": ("bitwise", ["|"]), "|": ("bitwise", ["&"]), "^": ("bitwise", ["|"]),
    "<<": ("bitwise", [">>"]), ">>": ("bitwise", ["<<"]),
    "+=": ("assignment", ["-="]), "-=": ("assignment", ["+="]),
    "*=": ("assignment", ["/="]), "/=": ("assignment", ["*="]), "%=": ("assignment", ["*="]),
    "|=": ("assignment", ["&="]), "&=": ("assignment", ["|="]), "^=": ("assignment", ["|="]),
    "<<=": ("assignment", [">>="]), ">>=": ("assignment", ["<<="]),
    "++": ("increment", ["--"]), "--": ("increment", ["++"]),
}
# these have unary or declarator uses: mutated only between two operands
BINARY_ONLY = {"+", "-", "*", "/", "%", "&", "|", "^", "&&", "||", "<<", ">>",
               "<", ">", "<=", ">=", "==", "!="}
# these need blanks on both sides to count as binary (T* p, T& r, T&& r, &x)
SPACED_ONLY = {"*", "&", "&&"}
TYPE_WORDS = {"void", "bool", "char", "char8_t", "char16_t", "char32_t", "wchar_t", "short", "int",
              "long", "signed", "unsigned", "float", "double", "auto", "const", "volatile",
              "static", "constexpr", "inline", "extern", "mutable", "thread_local", "register",
              "typename", "struct", "class", "enum", "union", "typedef", "using", "friend",
              "virtual", "explicit", "template", "namespace"}
INT_RE = re.compile(r"^(0[xX][0-9a-fA-F']+|0[bB][01']+|0[0-7']*|[1-9][0-9']*)([uUlLzZ]*)$")


def operand_end(tok):
    if tok is None:
        return False
    if tok.kind in ("num", "str", "chr"):
        return True
    if tok.kind == "id":
        return tok.text not in KEYWORDS or tok.text in VALUE_KEYWORDS
    return tok.text in (")", "]")


class Analysis:
    """Brackets, template argument lists, skipped ranges and brace kinds of
    one file's tokens."""

    def __init__(self, tokens):
        self.t = tokens
        n = len(tokens)
        self.match = [-1] * n
        self.parent = [-1] * n  # innermost open (, [ or { around each token
        stack = []
        pairs = {")": "(", "]": "[", "}": "{"}
        for i, tok in enumerate(tokens):
            self.parent[i] = stack[-1] if stack else -1
            if tok.text in ("(", "[", "{") and tok.kind == "op":
                stack.append(i)
            elif tok.text in pairs and tok.kind == "op":
                while stack and tokens[stack[-1]].text != pairs[tok.text]:
                    stack.pop()
                if stack:
                    j = stack.pop()
                    self.match[i], self.match[j] = j, i
                    self.parent[i] = self.parent[j]
        self.skip = [not tok.live for tok in tokens]
        self.template_end = {}
        self._templates()
        self._skipped_calls()
        self._operators()
        self.brace_kind = {}
        self._braces()

    def tok(self, i):
        return self.t[i] if 0 <= i < len(self.t) else None

    def text(self, i):
        tok = self.tok(i)
        return tok.text if tok else ""

    def _templates(self):
        t = self.t
        for i, tok in enumerate(t):
            if tok.text != "<" or tok.kind != "op" or self.skip[i]:
                continue
            prev = self.tok(i - 1)
            if prev is None or prev.kind != "id" or prev.text == "operator":
                continue
            if prev.text in KEYWORDS and prev.text not in ("template", "static_cast", "const_cast",
                                                          "reinterpret_cast", "dynamic_cast"):
                continue
            end = self._template_close(i, prev.text == "template")
            if end is not None:
                self.template_end[i] = end
                for k in range(i, end + 1):
                    self.skip[k] = True

    def _template_close(self, i, after_template):
        t = self.t
        depth, paren = 1, 0
        for j in range(i + 1, min(len(t), i + 96)):
            s = t[j].text
            if t[j].kind != "op":
                continue
            if s in ("(", "["):
                paren += 1
            elif s in (")", "]"):
                if paren == 0:
                    return None
                paren -= 1
            elif s in ("{", "}", ";"):
                return None
            elif paren == 0:
                if s in ("&&", "||", "?", ":", "+=", "-=", "|=", "&=", ">=", ">>=", "<<="):
                    return None
                if s == "=" and not after_template:
                    return None
                if s == "<":
                    depth += 1
                elif s == ">":
                    depth -= 1
                elif s == ">>":
                    depth -= 2
                if depth <= 0:
                    return j
        return None

    def _skipped_calls(self):
        for i, tok in enumerate(self.t):
            if tok.kind == "id" and tok.text in SKIP_CALLS and self.text(i + 1) == "(":
                end = self.match[i + 1]
                if end > 0:
                    for k in range(i, end + 1):
                        self.skip[k] = True
            if tok.text == "[" and self.text(i + 1) == "[":  # [[attributes]]
                end = self.match[i]
                for k in range(i, (end if end > 0 else i + 1) + 1):
                    self.skip[k] = True

    def _operators(self):
        for i, tok in enumerate(self.t):
            if tok.text == "operator" and tok.kind == "id":
                for k in range(i + 1, min(len(self.t), i + 4)):
                    if self.t[k].text == "(" and k > i + 1:
                        break
                    self.skip[k] = True

    def _braces(self):
        """code: a function body or a block inside one; init: a braced
        initializer in code; other: namespace, class, enum, global tables."""
        for i, tok in enumerate(self.t):
            if tok.text != "{" or tok.kind != "op":
                continue
            outer = self.enclosing_brace(i)
            outer_kind = self.brace_kind.get(outer, "other")
            prev = self.tok(i - 1)
            p = prev.text if prev else ""
            if outer_kind == "code":
                code = p in (")", "]", "else", "do", "try", ";", "{", "}", ":", "mutable") \
                    or p == ">" and self.text(i - 2) == "-"
                self.brace_kind[i] = "code" if code else "init"
            else:
                k = i - 1
                while self.text(k) in ("const", "noexcept", "override", "final", "volatile", "&", "&&"):
                    k -= 1
                self.brace_kind[i] = "code" if self.text(k) == ")" else "other"

    def enclosing_brace(self, i):
        p = self.parent[i]
        while p >= 0 and self.t[p].text != "{":
            p = self.parent[p]
        return p

    def in_code(self, i):
        """Directly in a code block, not inside parentheses."""
        p = self.parent[i]
        return p >= 0 and self.t[p].text == "{" and self.brace_kind.get(p) == "code"

    def looks_like_declaration(self, s, limit):
        """Type name ... : a declaration, not an expression."""
        t = self.t
        k = s
        if self.text(k) == "::":
            k += 1
        tok = self.tok(k)
        if tok is None or tok.kind != "id":
            return False
        if tok.text in TYPE_WORDS:
            return True
        if tok.text in KEYWORDS:
            return False
        k += 1
        while self.text(k) == "::" and self.tok(k + 1) and self.tok(k + 1).kind == "id":
            k += 2
        if k in self.template_end:
            k = self.template_end[k] + 1
        while self.text(k) in ("const", "volatile", "*", "&", "&&"):
            k += 1
        nxt = self.tok(k)
        return k < limit and nxt is not None and nxt.kind == "id" and nxt.text not in KEYWORDS


def array_size(an, i):
    """The integer at i is the size in a declarator like 'char buf[16]'."""
    if an.text(i - 1) != "[" or an.text(i + 1) != "]":
        return False
    k = i - 1
    while an.text(k - 1) == "]" and an.match[k - 1] >= 0:  # int a[4][4]
        k = an.match[k - 1]
    name, before = an.tok(k - 1), an.tok(k - 2)
    if name is None or name.kind != "id" or before is None:
        return False
    if before.kind == "id":
        return before.text not in KEYWORDS or before.text in TYPE_WORDS
    return before.text in ("*", "&", "&&", ">")


def int_variants(text):
    m = INT_RE.match(text)
    if not m:
        return []
    digits, suffix = m.group(1).replace("'", ""), m.group(2)
    if digits[:2] in ("0x", "0X"):
        value = int(digits[2:], 16)
        upper = any(ch in "ABCDEF" for ch in digits[2:])
        width = len(digits) - 2

        def fmt(v):
            s = format(v, "X" if upper else "x").rjust(width, "0")
            return digits[:2] + s
    elif digits[:2] in ("0b", "0B"):
        value = int(digits[2:], 2)
        width = len(digits) - 2

        def fmt(v):
            return digits[:2] + format(v, "b").rjust(width, "0")
    elif len(digits) > 1 and digits[0] == "0":
        value = int(digits, 8)

        def fmt(v):
            return "0" + format(v, "o") if v else "0"
    else:
        value = int(digits)

        def fmt(v):
            return str(v)
    out = [fmt(value + 1) + suffix]
    if value > 0:
        out.append(fmt(value - 1) + suffix)
    return out


def find_sites(text):
    """Every (offset, rule, original, replacement) of one source text."""
    tokens = tokenize(text)
    an = Analysis(tokens)
    sites = []

    def add(i, rule, original_end, replacement):
        start = tokens[i].start
        sites.append((start, rule, text[start:original_end], replacement))

    for i, tok in enumerate(tokens):
        if an.skip[i]:
            continue
        prev, nxt = an.tok(i - 1), an.tok(i + 1)
        if tok.kind == "op" and tok.text in SWAPS:
            s = tok.text
            if s in BINARY_ONLY and not (operand_end(prev) and nxt is not None):
                continue
            if s in SPACED_ONLY:
                if not (text[tok.start - 1].isspace() and text[tok.end].isspace()):
                    continue
                if prev.kind == "id" and prev.text in TYPE_WORDS:
                    continue
                if nxt.text in (")", ",", ">", "=", "const", ";"):
                    continue
            rule, replacements = SWAPS[s]
            for r in replacements:
                add(i, rule, tok.end, r)
        elif tok.kind == "num":
            if array_size(an, i):
                continue
            if prev is not None and prev.text == "=" and an.text(i - 2) in (")", "const", "override"):
                continue  # = 0 of a pure virtual function
            for r in int_variants(tok.text):
                add(i, "constant", tok.end, r)
        elif tok.kind == "id" and tok.text in ("true", "false"):
            add(i, "boolean", tok.end, "false" if tok.text == "true" else "true")
        elif tok.kind == "id" and tok.text in ("if", "while") and nxt is not None and nxt.text == "(":
            close = an.match[i + 1]
            if close < 0 or any(an.skip[k] and tokens[k].live for k in range(i + 1, close + 1)
                                if tokens[k].text == ";"):
                continue
            if any(tokens[k].text == ";" and an.parent[k] == i + 1 for k in range(i + 2, close)):
                continue  # if (init; condition)
            if an.looks_like_declaration(i + 2, close):
                continue  # if (Type x = ...)
            original = text[tokens[i + 1].start:tokens[close].end]
            sites.append((tokens[i + 1].start, "negate-condition", original, "(!" + original + ")"))
    sites.extend(statement_sites(text, tokens, an))
    sites.sort(key=lambda s: (s[0], s[1], s[3]))
    return sites


def statement_sites(text, tokens, an):
    """Simple statements that can be deleted."""
    heads = set()
    for i, tok in enumerate(tokens):
        if tok.text in ("if", "while", "for", "switch") and an.text(i + 1) == "(" and an.match[i + 1] > 0:
            heads.add(an.match[i + 1])
    out = []
    for s in range(1, len(tokens)):
        if an.skip[s] or not an.in_code(s):
            continue
        p = s - 1
        pt = tokens[p].text
        starts = (p == an.parent[s] or (pt in (";", "}") and an.parent[p] == an.parent[s])
                  or pt in ("else", "do") or p in heads
                  or (pt == ":" and case_label_ends(an, p)))
        if not starts:
            continue
        e = s
        while e < len(tokens) and not (an.parent[e] == an.parent[s] and tokens[e].text in (";", "{", "}")):
            e += 1
        if e >= len(tokens) or tokens[e].text != ";" or e == s:
            continue
        first = tokens[s]
        if first.text in ("break", "continue", "return"):
            if e != s + 1:
                continue
        elif first.kind == "id" and first.text in KEYWORDS and first.text not in ("this",):
            continue
        elif first.text == "(" and an.text(s + 1) == "void":
            continue
        elif an.looks_like_declaration(s, e):
            continue
        if any(not tokens[k].live for k in range(s, e + 1)):
            continue
        out.append((first.start, "delete-statement", text[first.start:tokens[e].end], ";"))
    return out


def case_label_ends(an, colon):
    k = colon - 1
    while k >= 0 and an.parent[k] == an.parent[colon] and an.t[k].text not in (";", "{", "}", ":"):
        k -= 1
    return an.text(k + 1) in ("case", "default")


# ------------------------------------------------------------ the list ----

def subsystem_files(root, folders):
    files = []
    for folder in folders:
        base = root / folder
        for path in base.rglob("*"):
            if path.suffix in (".cpp", ".h") and path.is_file():
                files.append(path.relative_to(root).as_posix())
    return sorted(files)


def line_starts(text):
    starts = [0]
    for m in re.finditer("\n", text):
        starts.append(m.end())
    return starts


def escape(s):
    return s.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")


def unescape(s):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r"}.get(m.group(1), m.group(1)), s)


def all_sites(root, files):
    sites = []
    for f in files:
        text = (root / f).read_text(encoding="utf-8")
        starts = line_starts(text)
        for offset, rule, original, replacement in find_sites(text):
            line = bisect.bisect_right(starts, offset)
            column = offset - starts[line - 1] + 1
            sites.append({"file": f, "line": line, "column": column, "rule": rule,
                          "original": original, "replacement": replacement})
    return sites


HEADER_PREFIX = "# mutants drawn by: python3 scripts/mutate.py generate"


def draw(name, folders, seed, count):
    """One subsystem's rows: (site dicts with ids, tsv lines)."""
    sites = all_sites(ROOT, subsystem_files(ROOT, folders))
    rng = random.Random(f"{seed}:{name}")
    picked = sorted(rng.sample(range(len(sites)), min(count, len(sites))))
    width = max(3, len(str(len(picked))))
    drawn, lines, rules = [], [], {}
    for number, index in enumerate(picked, 1):
        site = dict(sites[index], id=f"{name}-{number:0{width}d}", subsystem=name)
        drawn.append(site)
        lines.append("\t".join(str(site[c]) if c in ("line", "column") else
                               escape(site[c]) for c in COLUMNS))
        rules[site["rule"]] = rules.get(site["rule"], 0) + 1
    print(f"{name}: {len(sites)} sites, {len(picked)} mutants drawn "
          f"({', '.join(f'{r} {c}' for r, c in sorted(rules.items()))})")
    return drawn, lines


def kept_rows(path, redrawn):
    """The list's comment lines and, per subsystem not redrawn, its rows verbatim."""
    comments, rows = [], {}
    if Path(path).exists():
        for raw in Path(path).read_text(encoding="utf-8").splitlines():
            if raw.startswith("#"):
                comments.append(raw)
            elif raw and not raw.startswith("id\t"):
                name = raw.split("\t")[1]
                if name not in redrawn:
                    rows.setdefault(name, []).append(raw)
    return comments, rows


def cmd_generate(args):
    command = f"{HEADER_PREFIX} --seed {args.seed} --count {args.count}"
    out = Path(args.list)
    selected = selected_subsystems(args.subsystem)
    names = [s[0] for s in selected]
    comments, rows = kept_rows(out, set(names)) if args.subsystem else ([], {})
    header = comments or [command]
    if args.subsystem and command not in header and \
            not any(c.startswith(command + " --subsystem") for c in header):
        header.append(f"{command} --subsystem {','.join(names)}")
    drawn = []
    for name, folders, _, _ in selected:
        these, lines = draw(name, folders, args.seed, args.count)
        drawn += these
        rows[name] = lines
    order = [s[0] for s in SUBSYSTEMS]
    # subsystems in SUBSYSTEMS order; rows of a subsystem no longer in the table stay last
    body = [line for name in sorted(rows, key=lambda n: order.index(n) if n in order else len(order))
            for line in rows[name]]
    out.write_text("\n".join(header + ["\t".join(COLUMNS)] + body) + "\n", encoding="utf-8")
    print(f"{len(drawn)} mutants written to {out.relative_to(ROOT) if out.is_relative_to(ROOT) else out}"
          + (f" ({len(body) - len(drawn)} rows of other subsystems kept as they were)" if args.subsystem else ""))
    if out.resolve() == LIST_FILE.resolve():
        carry_equivalents(drawn, set(names) if args.subsystem else None)


def read_list(path):
    mutants = []
    for raw in Path(path).read_text(encoding="utf-8").splitlines():
        if not raw or raw.startswith("#") or raw.startswith("id\t"):
            continue
        fields = raw.split("\t")
        m = dict(zip(COLUMNS, fields))
        m["line"], m["column"] = int(m["line"]), int(m["column"])
        m["original"], m["replacement"] = unescape(m["original"]), unescape(m["replacement"])
        mutants.append(m)
    return mutants


def where(m):
    return f"{m['file']}:{m['line']}:{m['column']}"


def read_equivalents(path=EQUIVALENT_FILE):
    """id -> (reason, where, original, replacement). The last three tie a
    judgement to its mutant, so that it survives a redrawn list."""
    out = {}
    if Path(path).exists():
        for raw in Path(path).read_text(encoding="utf-8").splitlines():
            if raw.strip() and not raw.startswith("#"):
                fields = raw.split("\t") + [""] * 4
                out[fields[0].strip()] = (fields[1].strip(), fields[2], unescape(fields[3]), unescape(fields[4]))
    return out


def equivalent(r, equivalents):
    e = equivalents.get(r["id"])
    return e is not None and (not e[1] or (e[1], e[2], e[3]) == (where(r), r["original"], r["replacement"]))


EQUIVALENT_HEADER = ("# Mutants judged equivalent by reading them (no test could tell them from the original):\n"
                     "# id, reason, file:line:column, original, replacement (generate carries them to a new list)\n")


def id_subsystem(mutant_id):
    return mutant_id.rsplit("-", 1)[0]


def carry_equivalents(new_rows, redrawn=None, path=EQUIVALENT_FILE):
    """Move judgements to the new ids of redrawn subsystems (all when redrawn is
    None); lines of the other subsystems are kept verbatim."""
    old = read_equivalents(path)
    if not old:
        return
    untouched = []
    if redrawn is not None:
        for raw in Path(path).read_text(encoding="utf-8").splitlines():
            if raw.strip() and not raw.startswith("#") and id_subsystem(raw.split("\t")[0].strip()) not in redrawn:
                untouched.append(raw)
        old = {k: v for k, v in old.items() if id_subsystem(k) in redrawn}
    by_site = {(e[1], e[2], e[3]): e[0] for e in old.values()}
    kept = []
    for m in new_rows:
        reason = by_site.pop((where(m), m["original"], m["replacement"]), None)
        if reason is not None:
            kept.append("\t".join([m["id"], reason, where(m), escape(m["original"]), escape(m["replacement"])]))
    Path(path).write_text(EQUIVALENT_HEADER + "".join(k + "\n" for k in untouched + kept), encoding="utf-8")
    print(f"{len(kept)} equivalent judgements carried over to the new ids, {len(by_site)} dropped "
          f"(their mutants are no longer drawn or moved){': judge the new survivors again' if by_site else ''}")


def selected_subsystems(names):
    if not names:
        return SUBSYSTEMS
    wanted = set(n for name in names for n in name.split(","))
    unknown = wanted - {s[0] for s in SUBSYSTEMS}
    if unknown:
        sys.exit(f"unknown subsystem: {', '.join(sorted(unknown))}")
    return [s for s in SUBSYSTEMS if s[0] in wanted]


def cmd_sites(args):
    for f in args.files:
        path = Path(f).resolve()
        rel = path.relative_to(ROOT).as_posix() if path.is_relative_to(ROOT) else str(path)
        text = path.read_text(encoding="utf-8")
        starts = line_starts(text)
        for offset, rule, original, replacement in find_sites(text):
            line = bisect.bisect_right(starts, offset)
            print(f"{rel}:{line}:{offset - starts[line - 1] + 1}\t{rule}\t{escape(original)}\t{escape(replacement)}")


# ------------------------------------------------------------- running ----

def log(*parts):
    print(time.strftime("%H:%M:%S"), *parts, flush=True)


def source_list(root):
    """The working tree's files as git sees them (tracked and new, not ignored)."""
    try:
        out = subprocess.run(["git", "-C", str(root), "ls-files", "-co", "--exclude-standard", "-z"],
                             check=True, capture_output=True).stdout.decode()
        return sorted(set(p for p in out.split("\0") if p and (root / p).is_file()))
    except (OSError, subprocess.CalledProcessError):
        return sorted(p.relative_to(root).as_posix() for p in root.rglob("*")
                      if p.is_file() and ".git" not in p.parts and "build" not in p.parts[:1])


class Worker:
    """One scratch copy of the tree and its own build directory."""

    def __init__(self, number, jobs):
        self.number = number
        self.dir = WORK_DIR / f"w{number}"
        self.src = self.dir / "src"
        self.build = self.dir / "build"
        self.build_jobs = max(1, 2 // jobs)
        self.last_build_end = 0.0

    def sync(self):
        """Copy changed files only, so that the build stays incremental."""
        files = source_list(ROOT)
        wanted = set(files)
        copied = 0
        for rel in files:
            data = (ROOT / rel).read_bytes()
            dest = self.src / rel
            if not dest.exists() or dest.read_bytes() != data:
                dest.parent.mkdir(parents=True, exist_ok=True)
                dest.write_bytes(data)
                copied += 1
        removed = 0
        if self.src.exists():
            for path in sorted(self.src.rglob("*"), reverse=True):
                rel = path.relative_to(self.src).as_posix()
                if path.is_file() and rel not in wanted:
                    path.unlink()
                    removed += 1
        return copied, removed

    def configure(self):
        cmd = ["cmake", "-S", str(self.src), "-B", str(self.build), "-G", "Ninja",
               "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
               "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1", "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2",
               "-DCMAKE_CXX_COMPILER=g++", "-DCMAKE_C_COMPILER=gcc",
               "-DQZ_BUILD_TESTS=ON", "-DQZ_BUILD_BENCH=OFF", "-DQZ_BUILD_FUZZ=OFF"]
        r = subprocess.run(cmd, capture_output=True, text=True)
        if r.returncode != 0:
            sys.exit(f"configuring {self.build} failed:\n{r.stdout}{r.stderr}")

    def make(self, targets):
        # a file written in the same clock tick as the last object would look up to date
        wait = self.last_build_end + 0.02 - time.time()
        if wait > 0:
            time.sleep(wait)
        cmd = ["ninja", "-C", str(self.build), f"-j{self.build_jobs}"] + targets
        try:
            r = subprocess.run(cmd, capture_output=True, text=True, timeout=BUILD_TIMEOUT)
            ok, output = r.returncode == 0, r.stdout + r.stderr
        except subprocess.TimeoutExpired:
            ok, output = False, "the build timed out"
        self.last_build_end = time.time()
        return ok, output

    def write(self, rel, text):
        path = self.src / rel
        wait = self.last_build_end + 0.02 - time.time()
        if wait > 0:
            time.sleep(wait)
        path.write_text(text, encoding="utf-8")


def test_programs(src, test_folder):
    cml = src / test_folder / "CMakeLists.txt"
    if not cml.exists():
        return []
    text = re.sub(r"#[^\n]*", "", cml.read_text(encoding="utf-8"))
    return re.findall(r"qz_gtest\s*\(\s*([A-Za-z0-9_]+)", text)


GTEST_FAILED = re.compile(r"^\[  FAILED  \] ([A-Za-z_][\w/]*\.[\w/]+)", re.M)
GTEST_RUN = re.compile(r"^\[ RUN      \] (\S+)", re.M)
GTEST_DONE = re.compile(r"^\[ +(?:OK|FAILED|SKIPPED) +\] (\S+?)(?: \(|,|$)", re.M)


def run_program(binary, cwd, timeout):
    """(status, failed test names, seconds): status ok, failed or timeout."""
    start = time.time()
    proc = subprocess.Popen([str(binary)], cwd=str(cwd), stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            stdin=subprocess.DEVNULL, start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        timed_out = False
    except subprocess.TimeoutExpired:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        out, _ = proc.communicate()
        timed_out = True
    seconds = time.time() - start
    text = out.decode("utf-8", "replace")
    failed = list(dict.fromkeys(GTEST_FAILED.findall(text)))
    running = set(GTEST_RUN.findall(text)) - set(GTEST_DONE.findall(text))
    unfinished = [name for name in GTEST_RUN.findall(text) if name in running]
    if timed_out:
        return "timeout", [f"{name} (hung)" for name in unfinished] or [f"{binary.name} (hung)"], seconds, ""
    if proc.returncode == 0:
        return "ok", [], seconds, ""
    failed += [f"{name} (crashed)" for name in unfinished if name not in failed]
    if not failed:
        failed = [f"{binary.name} (exit {proc.returncode})"]
    return "failed", failed, seconds, first_failure(text, proc.returncode)


def first_failure(text, code):
    """What the first failing check printed, to see why a mutant died."""
    lines = text.splitlines()
    for k, line in enumerate(lines):
        if "Failure" in line or line.startswith("[  FAILED  ]"):
            return "\n".join(lines[k:k + 8])[:800]
    tail = "\n".join(lines[-4:])
    return f"{tail}\n(exit status {code})"[:800]


def list_tests(binary, cwd):
    out = subprocess.run([str(binary), "--gtest_list_tests"], cwd=str(cwd), capture_output=True,
                         text=True, timeout=60).stdout
    tests, suite = [], ""
    for line in out.splitlines():
        if not line.strip():
            continue
        if not line.startswith(" "):
            suite = line.split()[0]
        else:
            tests.append(suite + line.split()[0])
    return tests


class Runner:
    def __init__(self, args, mutants):
        self.args = args
        self.mutants = mutants
        self.lock = threading.Lock()
        self.out = Path(args.out)
        self.results = {"list": str(Path(args.list)), "started": time.strftime("%Y-%m-%d %H:%M:%S"),
                        "jobs": args.jobs, "subsystems": {}, "mutants": []}
        self.done = {}
        if args.resume and self.out.exists():
            old = json.loads(self.out.read_text())
            self.results["subsystems"] = old.get("subsystems", {})
            for r in old.get("mutants", []):
                self.done[r["id"]] = r
                self.results["mutants"].append(r)

    def save(self):
        with self.lock:
            self.out.parent.mkdir(parents=True, exist_ok=True)
            tmp = self.out.with_suffix(".tmp")
            tmp.write_text(json.dumps(self.results, indent=1))
            tmp.replace(self.out)

    def prepare(self, worker, subsystems):
        copied, removed = worker.sync()
        log(f"w{worker.number}: scratch tree {worker.src.relative_to(ROOT)} refreshed "
            f"({copied} files copied, {removed} removed)")
        worker.configure()
        plan = {}
        for name, _, test_folder, extra in subsystems:
            programs = test_programs(worker.src, test_folder)
            if not programs:
                log(f"{name}: no qz_gtest programs in {test_folder}, skipped")
                continue
            plan[name] = (programs, programs + extra, test_folder)
        targets = sorted(set(t for p in plan.values() for t in p[1]))
        log(f"w{worker.number}: building {' '.join(targets)}")
        ok, output = worker.make(targets)
        if not ok:
            sys.exit(f"the unmutated tree does not build:\n{output[-4000:]}")
        return plan

    def baseline(self, worker, plan):
        for name, (programs, _, test_folder) in plan.items():
            times, tests = {}, []
            for program in programs:
                status, failed, seconds, _ = run_program(worker.build / "bin" / program,
                                                      worker.build / test_folder, 3600)
                if status != "ok":
                    sys.exit(f"the unmutated {program} fails ({', '.join(failed)}): fix the tests first")
                times[program] = round(seconds, 3)
                tests += list_tests(worker.build / "bin" / program, worker.build / test_folder)
            timeouts = {p: round(max(TIMEOUT_FLOOR, self.args.timeout_factor * s), 1) for p, s in times.items()}
            with self.lock:
                self.results["subsystems"][name] = {"programs": programs, "baseline_seconds": times,
                                                    "timeout_seconds": timeouts, "tests": tests}
            log(f"{name}: unmutated run " + ", ".join(f"{p} {s:.2f}s" for p, s in times.items()))

    def run_one(self, worker, plan, m, originals):
        rel = m["file"]
        programs, targets, test_folder = plan[m["subsystem"]]
        record = dict(m)
        start = time.time()
        text = originals.get(rel)
        if text is None:
            path = worker.src / rel
            text = path.read_text(encoding="utf-8") if path.exists() else None
            originals[rel] = text
        offset = None
        if text is not None:
            starts = line_starts(text)
            if 1 <= m["line"] <= len(starts):
                offset = starts[m["line"] - 1] + m["column"] - 1
        if offset is None or text[offset:offset + len(m["original"])] != m["original"]:
            record.update(outcome="stale", failed_tests=[], seconds=0.0)
            return record
        mutated = text[:offset] + m["replacement"] + text[offset + len(m["original"]):]
        worker.write(rel, mutated)
        try:
            b0 = time.time()
            ok, output = worker.make(targets)
            record["build_seconds"] = round(time.time() - b0, 2)
            if not ok:
                errors = [l for l in output.splitlines() if "error" in l]
                record.update(outcome="stillborn", failed_tests=[], detail=(errors or ["build failed"])[0][:300])
                return record
            t0 = time.time()
            failed, hung = [], []
            info = self.results["subsystems"][m["subsystem"]]
            timeouts = info["timeout_seconds"]
            # quickest first; after a hang the slower programs would most likely hang too
            for program in sorted(programs, key=lambda p: info["baseline_seconds"][p]):
                if hung:
                    record.setdefault("skipped_programs", []).append(program)
                    continue
                # once killed, the outcome is settled: a later hang only costs time
                limit = timeouts[program] if not failed else \
                    max(TIMEOUT_FLOOR, KILLED_TIMEOUT_FACTOR * info["baseline_seconds"][program])
                status, names, _, why = run_program(worker.build / "bin" / program,
                                                    worker.build / test_folder, limit)
                if status == "failed":
                    failed += names
                    record.setdefault("first_failure", why)
                elif status == "timeout":
                    hung += names
            record["test_seconds"] = round(time.time() - t0, 2)
            record["outcome"] = "killed" if failed else "timeout" if hung else "survived"
            record["failed_tests"] = failed + hung
            return record
        finally:
            worker.write(rel, text)  # the next build puts the original objects back
            record["seconds"] = round(time.time() - start, 2)

    def work(self, worker, plan, queue, total):
        originals = {}
        while True:
            with self.lock:
                if not queue:
                    return
                group = queue.pop(0)
            for m in group:
                r = self.run_one(worker, plan, m, originals)
                with self.lock:
                    self.results["mutants"].append(r)
                    count = len(self.results["mutants"])
                shown = ", ".join(r["failed_tests"][:2]) + (" ..." if len(r["failed_tests"]) > 2 else "")
                log(f"[{count}/{total}] w{worker.number} {r['id']} {r['outcome']:9} {r['seconds']:6.1f}s  "
                    f"{r['file']}:{r['line']} {r['rule']} {one_line(r['original'])} -> "
                    f"{one_line(r['replacement'])}" + (f"  [{shown}]" if shown else "")
                    + (f"  {r['detail'][:120]}" if r.get("detail") else ""))
                self.save()


def one_line(s, width=50):
    s = " ".join(s.split())
    return s if len(s) <= width else s[:width - 3] + "..."


def pick(mutants, args):
    names = {s[0] for s in selected_subsystems(args.subsystem)}
    chosen = [m for m in mutants if m["subsystem"] in names]
    if args.ids:
        ids = set(i for part in args.ids for i in part.split(","))
        missing = ids - {m["id"] for m in chosen}
        if missing:
            sys.exit(f"not in the list: {', '.join(sorted(missing))}")
        chosen = [m for m in chosen if m["id"] in ids]
    if args.limit is not None:
        spread = []
        for name in names:
            these = [m for m in chosen if m["subsystem"] == name]
            if len(these) > args.limit:
                these = [these[int(k * len(these) / args.limit)] for k in range(args.limit)]
            spread += these
        chosen = [m for m in chosen if m in spread]
    return chosen


def cmd_run(args):
    if not Path(args.list).exists():
        sys.exit(f"{args.list} is missing: run 'python3 scripts/mutate.py generate' first")
    mutants = pick(read_list(args.list), args)
    runner = Runner(args, mutants)
    todo = [m for m in mutants if m["id"] not in runner.done]
    if args.resume:
        log(f"{len(mutants) - len(todo)} mutants already in {args.out}")
    subsystems = [s for s in SUBSYSTEMS if any(m["subsystem"] == s[0] for m in todo)]
    if not todo:
        log("nothing to run")
        return
    workers = [Worker(n, args.jobs) for n in range(args.jobs)]
    t0 = time.time()
    plans = [None] * len(workers)

    def setup(k):
        plans[k] = runner.prepare(workers[k], subsystems)

    threads = [threading.Thread(target=setup, args=(k,)) for k in range(len(workers))]
    for th in threads:
        th.start()
    for th in threads:
        th.join()
    if any(p is None for p in plans):
        sys.exit(1)
    runner.baseline(workers[0], plans[0])
    todo = [m for m in todo if m["subsystem"] in plans[0]]
    log(f"setup took {time.time() - t0:.0f}s; running {len(todo)} mutants on {len(workers)} worker(s)")
    # mutants of one file stay together, so that each rebuilds only that file once; long
    # runs of one file are cut into chunks so that two workers can share it
    groups, index = [], {}
    for m in todo:
        if m["file"] not in index or len(groups[index[m["file"]]]) >= GROUP_SIZE:
            index[m["file"]] = len(groups)
            groups.append([])
        groups[index[m["file"]]].append(m)
    total = len(runner.results["mutants"]) + len(todo)
    t1 = time.time()
    threads = [threading.Thread(target=runner.work, args=(w, plans[k], groups, total))
               for k, w in enumerate(workers)]
    for th in threads:
        th.start()
    for th in threads:
        th.join()
    runner.results["finished"] = time.strftime("%Y-%m-%d %H:%M:%S")
    runner.results["mutant_wall_seconds"] = round(time.time() - t1, 1)
    runner.save()
    runs = WORK_DIR / "runs"
    runs.mkdir(parents=True, exist_ok=True)
    copy = runs / time.strftime("results-%Y%m%d-%H%M%S.json")
    shutil.copyfile(runner.out, copy)
    log(f"{len(todo)} mutants in {time.time() - t1:.0f}s; results in {args.out} (copy: {copy})")


# ------------------------------------------------------------- reports ----

def load_results(path):
    p = Path(path)
    if not p.exists():
        sys.exit(f"{path} not found: run 'python3 scripts/mutate.py run' first")
    return json.loads(p.read_text())


def tally(results, equivalents):
    rows = {}
    for r in results["mutants"]:
        row = rows.setdefault(r["subsystem"], dict.fromkeys(
            ["killed", "survived", "timeout", "equivalent", "stillborn", "stale", "seconds"], 0))
        outcome = r["outcome"]
        if outcome == "survived" and equivalent(r, equivalents):
            outcome = "equivalent"
        row[outcome] += 1
        row["seconds"] += r.get("seconds", 0)
    for row in rows.values():
        judged = row["killed"] + row["timeout"] + row["survived"]
        row["score"] = (row["killed"] + row["timeout"]) / judged if judged else None
    return rows


def fmt_score(score):
    return "   -" if score is None else f"{100 * score:5.1f}%"


def print_table(rows):
    head = f"{'subsystem':12} {'killed':>6} {'survived':>8} {'timeout':>7} {'equiv':>5} {'stillborn':>9} " \
           f"{'stale':>5} {'score':>6} {'s/mutant':>8}"
    print(head)
    print("-" * len(head))
    total = dict.fromkeys(["killed", "survived", "timeout", "equivalent", "stillborn", "stale", "seconds"], 0)
    for name in sorted(rows, key=lambda n: [s[0] for s in SUBSYSTEMS].index(n) if n in [s[0] for s in SUBSYSTEMS] else 99):
        row = rows[name]
        ran = sum(row[k] for k in ("killed", "survived", "timeout", "equivalent", "stillborn"))
        print(f"{name:12} {row['killed']:6} {row['survived']:8} {row['timeout']:7} {row['equivalent']:5} "
              f"{row['stillborn']:9} {row['stale']:5} {fmt_score(row['score']):>6} "
              f"{row['seconds'] / ran if ran else 0:8.1f}")
        for k in total:
            total[k] += row[k]
    judged = total["killed"] + total["timeout"] + total["survived"]
    ran = sum(total[k] for k in ("killed", "survived", "timeout", "equivalent", "stillborn"))
    print(f"{'all':12} {total['killed']:6} {total['survived']:8} {total['timeout']:7} {total['equivalent']:5} "
          f"{total['stillborn']:9} {total['stale']:5} "
          f"{fmt_score((total['killed'] + total['timeout']) / judged if judged else None):>6} "
          f"{total['seconds'] / ran if ran else 0:8.1f}")


def test_name(name):
    return re.sub(r" \((crashed|hung)\)$", "", name)


def cmd_report(args):
    results = load_results(args.file)
    equivalents = read_equivalents()
    print(f"mutation results: {args.file} (started {results.get('started')}, "
          f"{len(results['mutants'])} mutants)")
    print_table(tally(results, equivalents))
    killed = [r for r in results["mutants"] if r["outcome"] == "killed"]
    wrongly = [r["id"] for r in results["mutants"] if equivalent(r, equivalents) and r["outcome"] in DETECTED]
    if wrongly:
        print(f"\nlisted as equivalent but detected (remove them from {EQUIVALENT_FILE.name}): {', '.join(wrongly)}")
    stale = [r["id"] for r in results["mutants"] if r["outcome"] == "stale"]
    if stale:
        print(f"\n{len(stale)} stale mutants (the sources changed: regenerate the list): {', '.join(stale[:20])}"
              + (" ..." if len(stale) > 20 else ""))
    if killed:
        counts = [len(set(map(test_name, r["failed_tests"]))) for r in killed]
        print(f"\ntests failing per killed mutant: median {statistics.median(counts):g}, "
              f"exactly one {sum(1 for c in counts if c == 1)} of {len(counts)}, max {max(counts)}")
        kills, alone = {}, {}
        for r in killed:
            names = set(map(test_name, r["failed_tests"]))
            for name in names:
                kills[name] = kills.get(name, 0) + 1
                if len(names) == 1:
                    alone[name] = alone.get(name, 0) + 1
        print(f"\n{'kills':>5} {'alone':>5}  test (tests that kill nothing alone may be merged or cut)")
        for name in sorted(kills, key=lambda n: (-kills[n], n)):
            print(f"{kills[name]:5} {alone.get(name, 0):5}  {name}")
        seen = [t for info in results.get("subsystems", {}).values() for t in info.get("tests", [])]
        idle = [t for t in seen if t not in kills]
        if idle:
            print(f"{'0':>5} {'0':>5}  " + f"\n{'0':>5} {'0':>5}  ".join(idle))
    survivors = [r for r in results["mutants"] if r["outcome"] == "survived" and not equivalent(r, equivalents)]
    if survivors:
        print(f"\nsurvivors ({len(survivors)}; an equivalent one goes into {EQUIVALENT_FILE.name}):")
        for r in survivors:
            print(f"  {r['id']:16} {r['file']}:{r['line']}:{r['column']} {r['rule']}: "
                  f"{one_line(r['original'], 60)}  ->  {one_line(r['replacement'], 60)}")


def mutant_key(r):
    return (r["subsystem"], r["file"], r["line"], r["column"], r["rule"], r["original"], r["replacement"])


def cmd_compare(args):
    old, new = load_results(args.old), load_results(args.new)
    equivalents = read_equivalents()
    new_by_key = {mutant_key(r): r for r in new["mutants"]}
    lost, missing = [], []
    for r in old["mutants"]:
        if r["outcome"] not in DETECTED:
            continue
        other = new_by_key.get(mutant_key(r))
        if other is None:
            missing.append(r)
        elif other["outcome"] not in DETECTED:
            lost.append((r, other))
    a, b = tally(old, equivalents), tally(new, equivalents)
    print(f"{'subsystem':12} {'old':>7} {'new':>7} {'change':>8}")
    for name in sorted(set(a) | set(b)):
        sa, sb = a.get(name, {}).get("score"), b.get(name, {}).get("score")
        change = "" if sa is None or sb is None else f"{100 * (sb - sa):+7.1f}%"
        print(f"{name:12} {fmt_score(sa):>7} {fmt_score(sb):>7} {change:>8}")
    if missing:
        print(f"\n{len(missing)} mutants detected in {args.old} were not run in {args.new}: "
              + ", ".join(r["id"] for r in missing[:30]) + (" ..." if len(missing) > 30 else ""))
    if lost:
        print(f"\n{len(lost)} mutants detected in {args.old} and not in {args.new}:")
        for r, other in lost:
            print(f"  {r['id']:16} {other['outcome']:9} {r['file']}:{r['line']}:{r['column']} {r['rule']}: "
                  f"{one_line(r['original'], 50)} -> {one_line(r['replacement'], 50)}  "
                  f"(was killed by {', '.join(r['failed_tests'][:3])})")
        sys.exit(1)
    if missing:
        print("\nnothing detected was lost among the mutants both runs ran; run the rest to prove it")
        sys.exit(1)
    print("\nno mutant detected in the first run escaped the second")


# ---------------------------------------------------------------- main ----

def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    g = sub.add_parser("generate", help="draw the mutant list")
    g.add_argument("--seed", type=int, default=DEFAULT_SEED)
    g.add_argument("--count", type=int, default=DEFAULT_COUNT, help="mutants per subsystem")
    g.add_argument("--subsystem", action="append",
                   help="draw only these subsystems (repeat or comma-separate); the other rows stay as they are")
    g.add_argument("--list", default=str(LIST_FILE))
    r = sub.add_parser("run", help="run the listed mutants")
    r.add_argument("--subsystem", action="append")
    r.add_argument("--limit", type=int, help="at most N mutants per subsystem, spread over its list")
    r.add_argument("--ids", action="append", help="only these mutant ids (comma-separated)")
    r.add_argument("--jobs", type=int, choices=(1, 2), default=1,
                   help="independent scratch trees and build dirs working at once")
    r.add_argument("--resume", action="store_true", help="keep results already in --out, run the rest")
    r.add_argument("--timeout-factor", type=float, default=TIMEOUT_FACTOR)
    r.add_argument("--list", default=str(LIST_FILE))
    r.add_argument("--out", default=str(RESULTS_FILE))
    p = sub.add_parser("report", help="summarise a results file")
    p.add_argument("file", nargs="?", default=str(RESULTS_FILE))
    c = sub.add_parser("compare", help="mutants killed in OLD and not in NEW")
    c.add_argument("old")
    c.add_argument("new")
    s = sub.add_parser("sites", help="print every mutation site of some files")
    s.add_argument("files", nargs="+")
    args = parser.parse_args()
    {"generate": cmd_generate, "run": cmd_run, "report": cmd_report, "compare": cmd_compare,
     "sites": cmd_sites}[args.command](args)


if __name__ == "__main__":
    main()
