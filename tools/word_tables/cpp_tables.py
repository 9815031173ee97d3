"""Writes the word lists as the engine's C++ tables: CP949 bytes with their lengths, Hangul beside."""

import string

from word_lists import REFERENCE_MARK, SPACE_SIGN, TAIL_FIELDS

INDENT = "    "
# The project's namespace, which the tables are declared in.
NAMESPACE = "tessaline"
# Rules longer than this are written a field a line.
LINE_LIMIT = 110


def cpp_literal(data: bytes) -> str:
    """A C++ string literal of these bytes: printable ASCII as it is, everything else escaped."""
    out, after_escape = [], False
    for byte in data:
        char = chr(byte)
        if char in '"\\':
            piece = "\\" + char
        # A hex digit right after a hex escape would be read as part of it, so it is escaped too.
        elif 0x20 <= byte < 0x7F and not (after_escape and char in string.hexdigits):
            piece = char
        else:
            piece = f"\\x{byte:02X}"
        after_escape = piece.startswith("\\x")
        out.append(piece)
    return '"' + "".join(out) + '"'


def shown(word: str) -> str:
    """The word as a comment shows it, a space as the space sign."""
    return word.replace(" ", SPACE_SIGN)


def cpp_word(word: str) -> str:
    data = word.encode("cp949")
    return f"{{{cpp_literal(data)}, {len(data)}}}"


def word_array(declaration: str, words: list) -> list:
    lines = [f"{declaration} = {{"]
    lines += [f"{INDENT}{cpp_word(word)},  // {shown(word)}" for word in words]
    return lines + ["};"]


def row(parts: list, comment: str) -> list:
    """One rule of a table: on one line when it fits, else a field a line."""
    line = f"{INDENT}{{{', '.join(parts)}}},  // {comment}"
    if len(line) <= LINE_LIMIT or len(parts) == 1:
        return [line]
    lines = [f"{INDENT}{{{parts[0]},  // {comment}"]
    lines += [f"{INDENT} {part}," for part in parts[1:-1]]
    return lines + [f"{INDENT} {parts[-1]}}},"]


def listed_words(table) -> list:
    return [entry.words[0] for entry in table.entries]


class FileWriter:
    """The C++ of one word-list file: arrays in an unnamed namespace, then the engine's names."""

    def __init__(self, tables):
        self.tables = tables
        self.private = []
        self.public = []

    def lines(self) -> list:
        writers = {
            "words": self._words,
            "word": self._word,
            "word array": self._word_array,
            "tail rules": self._tail_rules,
            "tail rule": self._tail_rule,
            "head rules": self._head_rules,
            "review rules": self._review_rules,
        }
        for table in self.tables:
            writers[table.kind](table)
        return ["namespace {", ""] + self.private + ["}  // namespace", ""] + self.public

    def _array(self, name: str, words: list) -> str:
        self.private += word_array(f"constexpr Word {name}[]", words) + [""]
        return name

    def _words(self, table):
        array = self._array(f"{table.name}_entries", listed_words(table))
        self.public.append(f"constexpr std::span<const Word> {table.name} = {array};")

    def _word(self, table):
        word = table.entries[0].words[0]
        self.public.append(f"constexpr Word {table.name} = {cpp_word(word)};  // {shown(word)}")

    def _word_array(self, table):
        # The long-sentence pass takes such a list as an array with its count, named in the singular.
        words = listed_words(table)
        self.public += word_array(f"constexpr Word {table.name}[]", words)
        self.public.append(f"constexpr int {table.name[:-1]}_count = {len(words)};")

    def _fields(self, prefix: str, entry, names) -> list:
        return [f".{name} = {self._array(f'{prefix}_{name}', entry.fields[name])}"
                for name in names if name in entry.fields]

    def _tail_rule_parts(self, prefix: str, entry) -> list:
        return [f".tail = {cpp_word(entry.words[0])}"] + self._fields(prefix, entry, TAIL_FIELDS)

    def _tail_rules(self, table):
        rows = []
        for i, entry in enumerate(table.entries):
            rows += row(self._tail_rule_parts(f"{table.name}_{i}", entry), shown(entry.words[0]))
        self._rule_table(table, "TailRule", rows)

    def _tail_rule(self, table):
        entry = table.entries[0]
        value = ", ".join(self._tail_rule_parts(table.name, entry))
        self.public.append(f"constexpr TailRule {table.name} = {{{value}}};  // {shown(entry.words[0])}")

    def _head_rules(self, table):
        rows = []
        for i, entry in enumerate(table.entries):
            parts = [f".head = {cpp_word(entry.words[0])}"]
            if "offset" in entry.fields:
                parts.append(f".offset = {entry.fields['offset'][0]}")
            parts += self._fields(f"{table.name}_{i}", entry, ("excluded_tails",))
            rows += row(parts, shown(entry.words[0]))
        self._rule_table(table, "HeadRule", rows)

    def _review_rules(self, table):
        rows = []
        for i, entry in enumerate(table.entries):
            prefix = f"{table.name}_{i}"
            first = entry.words[0]
            if first.startswith(REFERENCE_MARK):
                heads = f"{first[len(REFERENCE_MARK):]}_entries"
            else:
                heads = self._array(f"{prefix}_heads", entry.words)
            parts = [f".heads = {heads}"] + self._fields(prefix, entry, ("required_befores", "excluded_befores"))
            rows += row(parts, " ".join(shown(word) for word in entry.words))
        self._rule_table(table, "ReviewRule", rows)

    def _rule_table(self, table, rule_type: str, rows: list):
        self.private += [f"constexpr {rule_type} {table.name}_table[] = {{"] + rows + ["};", ""]
        self.public.append(f"constexpr std::span<const {rule_type}> {table.name} = {table.name}_table;")


def cpp_source(files, banner: list) -> str:
    """The whole generated source: `files` pairs each declaring header with its file's tables."""
    lines = [f"// {line}" for line in banner] + [""]
    lines += [f'#include "{header}"' for header, _ in files]
    lines += ["", f"namespace {NAMESPACE} {{"]
    for header, tables in files:
        lines += ["", f"// The tables declared in {header}.", ""] + FileWriter(tables).lines()
    lines += ["", f"}}  // namespace {NAMESPACE}"]
    return "\n".join(lines) + "\n"
