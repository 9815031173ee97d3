"""The word-list reader's errors, the C++ literals and the check of the committed source."""

import io
import re
import tempfile
import unittest
from contextlib import redirect_stderr
from pathlib import Path

import generate
from cpp_tables import cpp_literal
from word_lists import WordListError, read_word_file


def read_text(text: str) -> list:
    with tempfile.TemporaryDirectory() as folder:
        path = Path(folder) / "sample.txt"
        path.write_text(text, encoding="utf-8")
        return read_word_file(path, "sample.txt")


def compiled_bytes(literal: str) -> bytes:
    """What a C++ compiler makes of a narrow string literal: a hex escape takes every hex digit."""
    out, body, at = bytearray(), literal[1:-1], 0
    while at < len(body):
        if body.startswith("\\x", at):
            digits = re.match(r"[0-9A-Fa-f]+", body[at + 2:]).group(0)
            value = int(digits, 16)
            if value > 0xFF:
                raise ValueError(f"escape \\x{digits} is out of range")
            out.append(value)
            at += 2 + len(digits)
        elif body[at] == "\\":
            out += body[at + 1].encode("ascii")
            at += 2
        else:
            out += body[at].encode("ascii")
            at += 1
    return bytes(out)


def listed_entries(source: str) -> list:
    """Each {literal, length},  // comment entry of a generated source, as bytes, length, comment."""
    entries = re.findall(r'\{("(?:[^"\\]|\\.)*"), (\d+)\},  // (.*)', source)
    return [(compiled_bytes(literal), int(length), comment) for literal, length, comment in entries]


class ReaderErrors(unittest.TestCase):
    CASES = [
        ("부터\n", 1, "before the first"),
        ("[x]\n", 1, "a table starts with"),
        ("[x: wordz]\n부터\n", 1, 'unknown kind "wordz"'),
        ("[x: words]\n가\n[x: words]\n나\n", 3, 'the table "x" is given twice'),
        ("[x: words]\n", 1, "has no entries"),
        ("[x: words]\n부터 까지\n", 2, "one word a line"),
        ("[x: words]\n부터\n까지\n부터\n", 4, "listed twice (first on line 2)"),
        ("[x: words]\n부터 excluded_heads: 금\n", 2, 'no field of words'),
        ("[x: words]\n\U0001F30A\n", 2, "has no CP949 form"),
        ("[x: word]\n없\n있\n", 1, "holds one entry"),
        ("[x: tail rules]\n하여 excluded_head: 금\n", 2, '"excluded_head" is no field of tail rules'),
        ("[x: tail rules]\n하여 excluded_heads:\n", 2, "lists no words"),
        ("[x: tail rules]\n하여 excluded_heads: 금 excluded_heads: 식\n", 2, "given twice"),
        ("[x: tail rules]\nexcluded_heads: 금\n", 2, "no word before its fields"),
        ("[x: head rules]\n것도 offset: 둘\n", 2, "takes one number"),
        ("[x: review rules]\n@y\n", 2, '"@y" names no list of words'),
        ("[y: words]\n니\n[x: review rules]\n@y 로\n", 4, "may only stand alone"),
        ("[y: words]\n니\n[x: tail rules]\n@y\n", 4, "may only stand alone"),
        ("[sentence_ending: word array]\n다\n", 1, "named in the plural"),
    ]

    def test_each_mistake_is_named_with_its_line(self):
        for text, line, message in self.CASES:
            with self.subTest(text=text):
                with self.assertRaises(WordListError) as raised:
                    read_text(text)
                self.assertIn(f"sample.txt:{line}: ", str(raised.exception))
                self.assertIn(message, str(raised.exception))


class Reading(unittest.TestCase):
    def test_entries_keep_their_words_fields_and_order(self):
        tables = read_text(
            "# a comment\n"
            "[excepted: tail rules]\n"
            "인␣양   excluded_heads: 피지 초   # 양피지, 양초\n"
            "하여\n"
            "[heads: review rules]\n"
            "주는␣ 나게␣   required_befores: 켜\n"
        )
        self.assertEqual([(t.name, t.kind) for t in tables], [("excepted", "tail rules"), ("heads", "review rules")])
        first, second = tables[0].entries
        self.assertEqual((first.words, first.fields, first.line), (["인 양"], {"excluded_heads": ["피지", "초"]}, 3))
        self.assertEqual((second.words, second.fields), (["하여"], {}))
        self.assertEqual(tables[1].entries[0].words, ["주는 ", "나게 "])
        self.assertEqual(tables[1].entries[0].fields, {"required_befores": ["켜"]})


class Literals(unittest.TestCase):
    SAMPLES = ["가a", "가F", "가9 ", "가g", '"', "\\", "또한,", "데 선", "”", "\"'", "읍니", "a\\x41"]

    def test_compiler_reads_back_the_same_bytes(self):
        for text in self.SAMPLES:
            with self.subTest(text=text):
                data = text.encode("cp949")
                self.assertEqual(compiled_bytes(cpp_literal(data)), data)


class CommittedSourceCheck(unittest.TestCase):
    def make_root(self, folder: str) -> Path:
        root = Path(folder)
        (root / generate.WORDS_FOLDER).mkdir(parents=True)
        (root / generate.WORDS_FOLDER / "sample_words.txt").write_text("[sample: words]\n부터\n", encoding="utf-8")
        return root

    def test_fresh_source_passes_and_stale_source_says_how_to_regenerate(self):
        with tempfile.TemporaryDirectory() as folder:
            root = self.make_root(folder)
            source = generate.generated_source(root)
            self.assertIn('#include "engine/rules/sample_words.h"', source)
            self.assertEqual(listed_entries(source), [("부터".encode("cp949"), 4, "부터")])
            (root / generate.OUTPUT).parent.mkdir(parents=True, exist_ok=True)
            (root / generate.OUTPUT).write_text(source, encoding="utf-8")
            self.assertEqual(generate.check(root, source), 0)

            (root / generate.WORDS_FOLDER / "sample_words.txt").write_text("[sample: words]\n까지\n", encoding="utf-8")
            errors = io.StringIO()
            with redirect_stderr(errors):
                self.assertEqual(generate.check(root, generate.generated_source(root)), 1)
            self.assertIn(generate.COMMAND, errors.getvalue())
            self.assertIn("+    {", errors.getvalue())
            self.assertIn("// 까지", errors.getvalue())


if __name__ == "__main__":
    unittest.main()
