"""Reads the word lists of engine/rules/words: tables of readable Hangul, one entry a line."""

import re
from dataclasses import dataclass
from pathlib import Path

# A space inside a word is written as this sign, so that a word ending in a space stays visible.
SPACE_SIGN = "\u2423"

# What may follow an entry's own words in each kind of table, in the order of the C++ fields.
TAIL_FIELDS = ("required_befores", "excluded_befores", "required_heads", "excluded_heads")
KIND_FIELDS = {
    "words": (),
    "word": (),
    "word array": (),
    "tail rules": TAIL_FIELDS,
    "tail rule": TAIL_FIELDS,
    "head rules": ("offset", "excluded_tails"),
    "review rules": ("required_befores", "excluded_befores"),
}
SINGLE_ENTRY_KINDS = ("word", "tail rule")
LIST_KINDS = ("words", "word array")

HEADER = re.compile(r"\[([a-z_]+):\s*([a-z ]+)\]")
LABEL = re.compile(r"([a-z_]+):")
# An entry of a review rule may stand for every word of a list given earlier in the same file.
REFERENCE_MARK = "@"


class WordListError(Exception):
    """A mistake in a word list, named by its file and line."""


@dataclass
class Entry:
    words: list  # the entry's own words, spaces restored
    fields: dict  # field name -> list of words (or the offset as one string)
    line: int


@dataclass
class Table:
    name: str
    kind: str
    line: int
    entries: list


def read_word_file(path: Path, shown_as: str) -> list:
    """The tables of one word-list file, in file order; `shown_as` names the file in errors."""
    tables = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        where = f"{shown_as}:{number}"
        text = raw.split("#", 1)[0].strip()
        if not text:
            continue
        header = HEADER.fullmatch(text)
        if header:
            tables.append(_start_table(header, number, tables, where))
        elif text.startswith("["):
            raise WordListError(f'{where}: a table starts with "[name: kind]", not "{text}"')
        elif not tables:
            raise WordListError(f'{where}: "{text}" stands before the first "[name: kind]" line')
        else:
            tables[-1].entries.append(_read_entry(text.split(), tables[-1], tables, number, where))
    for table in tables:
        _check_table(table, shown_as)
    return tables


def _start_table(header, number, tables, where) -> Table:
    name, kind = header.group(1), header.group(2).strip()
    if kind not in KIND_FIELDS:
        raise WordListError(f'{where}: unknown kind "{kind}"; known: {", ".join(KIND_FIELDS)}')
    if any(table.name == name for table in tables):
        raise WordListError(f'{where}: the table "{name}" is given twice')
    return Table(name, kind, number, [])


def _read_entry(tokens, table, tables, number, where) -> Entry:
    words, fields, label = [], {}, None
    for token in tokens:
        found = LABEL.fullmatch(token)
        if found:
            label = found.group(1)
            if label not in KIND_FIELDS[table.kind]:
                known = ", ".join(KIND_FIELDS[table.kind]) or "none"
                raise WordListError(f'{where}: "{label}" is no field of {table.kind} (fields: {known})')
            if label in fields:
                raise WordListError(f'{where}: the field "{label}" is given twice')
            fields[label] = []
        elif label is None:
            words.append(_word(token, where))
        else:
            fields[label].append(token if label == "offset" else _word(token, where))
    _check_entry(words, fields, table, tables, where)
    return Entry(words, fields, number)


def _word(token, where) -> str:
    word = token.replace(SPACE_SIGN, " ")
    if not token.startswith(REFERENCE_MARK):
        try:
            word.encode("cp949")
        except UnicodeEncodeError:
            raise WordListError(f'{where}: "{token}" has no CP949 form') from None
    return word


def _check_entry(words, fields, table, tables, where):
    for label, values in fields.items():
        if not values:
            raise WordListError(f'{where}: the field "{label}" lists no words')
    if "offset" in fields and (len(fields["offset"]) != 1 or not fields["offset"][0].isdigit()):
        raise WordListError(f'{where}: "offset:" takes one number of bytes')
    if not words:
        raise WordListError(f"{where}: the entry has no word before its fields")
    references = [word for word in words if word.startswith(REFERENCE_MARK)]
    if references:
        if table.kind != "review rules" or len(words) > 1:
            raise WordListError(f'{where}: "{references[0]}" may only stand alone in a review rule')
        _referenced_table(references[0], tables, where)
    elif len(words) > 1 and table.kind != "review rules":
        raise WordListError(f"{where}: one word a line in {table.kind}, found {len(words)}")


def _referenced_table(reference, tables, where) -> Table:
    name = reference[len(REFERENCE_MARK):]
    for table in tables:
        if table.name == name and table.kind == "words":
            return table
    raise WordListError(f'{where}: "{reference}" names no list of words given earlier in this file')


def _check_table(table, shown_as):
    where = f"{shown_as}:{table.line}"
    if not table.entries:
        raise WordListError(f'{where}: the table "{table.name}" has no entries')
    if table.kind in SINGLE_ENTRY_KINDS and len(table.entries) != 1:
        raise WordListError(f'{where}: a {table.kind} holds one entry, "{table.name}" has {len(table.entries)}')
    if table.kind == "word array" and not table.name.endswith("s"):
        raise WordListError(f'{where}: a word array is named in the plural, its count in the singular')
    if table.kind in LIST_KINDS:
        seen = {}
        for entry in table.entries:
            word = entry.words[0]
            if word in seen:
                raise WordListError(f'{shown_as}:{entry.line}: "{word}" is listed twice (first on line {seen[word]})')
            seen[word] = entry.line
