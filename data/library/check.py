#!/usr/bin/env python3
"""Check the library content of a new installation.

Verifies books.tsv, every word book and sentence book it lists, and the
irregular-verb table data/tables/Config/Irregular.tsv.  Prints a summary and
exits with status 1 if any problem was found.

Usage: python3 data/library/check.py
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
IRREGULAR = os.path.join(DATA, "tables", "Config", "Irregular.tsv")

BOOKS_HEADER = ["Kind", "BookID", "Group", "Name", "File"]
WORD_HEADER = ["Word", "Symbol", "Translation", "Example",
               "ExampleTranslation", "Frequency"]
SENTENCE_HEADER = ["Sentence", "Explanation", "Analysis"]
IRREGULAR_HEADER = ["WordName", "PastStyle", "FinishStyle"]

MIN_WORDS_PER_BOOK = 160
MAX_WORDS_PER_BOOK = 200
MIN_WORD_BOOKS = 2
MIN_WORDS_TOTAL = 330
MIN_SENTENCES = 60
MIN_IRREGULAR = 100

# IPA symbols used for British English transcriptions.  ASCII "g" is not
# accepted: the IPA letter is U+0261 "ɡ".
IPA_LETTERS = set("abdefhijklmnprstuvwz"
                  "æɑɒɔəɜɪʊʌθðʃʒŋɡ")
IPA_MARKS = set("ˈˌː ")
IPA_ALLOWED = IPA_LETTERS | IPA_MARKS
IPA_VOWELS = set("aeiuæɑɒɔəɜɪʊʌ")

POS_TAGS = ("n.", "v.", "adj.", "adv.", "prep.", "pron.", "conj.",
            "num.", "art.", "int.")
POS_RE = re.compile(r"(?:^|\s)(%s)\s" % "|".join(re.escape(p) for p in POS_TAGS))
CJK_RE = re.compile(r"[\u4e00-\u9fff]")
VERB_FORM_RE = re.compile(r"^[a-z]+(?:/[a-z]+)*$")

problems = []


def problem(where, message):
    problems.append("%s: %s" % (where, message))


def read_table(path, header, where):
    """Return the data rows of a tab-separated file (list of (lineno, fields))."""
    rows = []
    if not os.path.isfile(path):
        problem(where, "file missing: %s" % path)
        return rows
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        problem(where, "not valid UTF-8 (%s)" % e)
        return rows
    if text.startswith("\ufeff"):
        problem(where, "starts with a byte-order mark")
        text = text[1:]
    if "\r" in text:
        problem(where, "contains carriage returns")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines:
        problem(where, "empty file")
        return rows
    if lines[0].split("\t") != header:
        problem(where, "header is %r, expected %r"
                % (lines[0].split("\t"), header))
    for n, line in enumerate(lines[1:], start=2):
        if not line.strip():
            problem("%s:%d" % (where, n), "blank line")
            continue
        fields = line.split("\t")
        if len(fields) != len(header):
            problem("%s:%d" % (where, n), "%d columns, expected %d"
                    % (len(fields), len(header)))
            continue
        for name, value in zip(header, fields):
            if value != value.strip():
                problem("%s:%d" % (where, n),
                        "field %s has leading or trailing spaces" % name)
        rows.append((n, fields))
    return rows


def check_ipa(where, symbol):
    bad = sorted(set(ch for ch in symbol if ch not in IPA_ALLOWED))
    if bad:
        problem(where, "IPA %r uses characters outside the IPA set: %s"
                % (symbol, " ".join("%r(U+%04X)" % (c, ord(c)) for c in bad)))
        return
    if "  " in symbol or symbol != symbol.strip():
        problem(where, "IPA %r has stray spaces" % symbol)
    for i, ch in enumerate(symbol):
        if ch == "ː" and (i == 0 or symbol[i - 1] not in "iuɑɔɜ"):
            problem(where, "IPA %r: length mark after %r"
                    % (symbol, symbol[i - 1] if i else ""))
        if ch in "ˈˌ" and (i + 1 == len(symbol) or symbol[i + 1] in IPA_MARKS):
            problem(where, "IPA %r: stress mark not before a sound" % symbol)
    for part in symbol.split(" "):
        if part and not any(c in IPA_VOWELS for c in part) \
                and not re.search(r"[^ˈˌ][lnm]$", part):
            problem(where, "IPA %r: no vowel in %r" % (symbol, part))
        if part.count("ˈ") > 1:
            problem(where, "IPA %r: more than one primary stress" % symbol)


def check_translation(where, text):
    if not text.startswith(POS_TAGS):
        problem(where, "translation %r does not start with a part of speech"
                % text)
    if not CJK_RE.search(text):
        problem(where, "translation %r has no Chinese meaning" % text)
    if re.search(r"[;]", text):
        problem(where, "translation %r uses ';' instead of '；'" % text)


def check_word_book(where, path):
    rows = read_table(path, WORD_HEADER, where)
    words = []
    seen = set()
    for n, f in rows:
        loc = "%s:%d" % (where, n)
        word, symbol, trans, example, extrans, freq = f
        for name, value in zip(WORD_HEADER, f):
            if not value.strip():
                problem(loc, "empty field %s" % name)
        if not word:
            continue
        key = word.lower()
        if key in seen:
            problem(loc, "word %r appears twice in this book" % word)
        seen.add(key)
        if not re.match(r"^[A-Za-z][A-Za-z' -]*$", word):
            problem(loc, "word %r has unexpected characters" % word)
        if word != word.lower() and word not in ("I",) and not word[0].isupper():
            problem(loc, "word %r mixes case" % word)
        if symbol:
            check_ipa(loc, symbol)
        if trans:
            check_translation(loc, trans)
        if example:
            if not re.match(r"^[A-Z\"']", example) or example[-1] not in ".?!\"":
                problem(loc, "example %r is not a full sentence" % example)
            stem = key.split(" ")[0][:3]
            if stem not in example.lower():
                problem(loc, "example %r does not seem to use %r"
                        % (example, word))
        if extrans and not CJK_RE.search(extrans):
            problem(loc, "example translation %r has no Chinese" % extrans)
        if freq not in ("1", "2", "3", "4", "5"):
            problem(loc, "frequency %r is not 1 to 5" % freq)
        words.append(key)
    n = len(words)
    if not MIN_WORDS_PER_BOOK <= n <= MAX_WORDS_PER_BOOK:
        problem(where, "%d words, expected %d to %d"
                % (n, MIN_WORDS_PER_BOOK, MAX_WORDS_PER_BOOK))
    return words


def check_sentence_book(where, path):
    rows = read_table(path, SENTENCE_HEADER, where)
    seen = set()
    count = 0
    empty_notes = 0
    for n, f in rows:
        loc = "%s:%d" % (where, n)
        sentence, explanation, analysis = f
        if not sentence:
            problem(loc, "empty field Sentence")
        if not explanation:
            problem(loc, "empty field Explanation")
        if not analysis:
            empty_notes += 1
        if sentence:
            if sentence in seen:
                problem(loc, "sentence appears twice")
            seen.add(sentence)
            if not re.match(r"^[A-Z\"']", sentence) or sentence[-1] not in ".?!\"":
                problem(loc, "sentence %r is not a full sentence" % sentence)
        if explanation and not CJK_RE.search(explanation):
            problem(loc, "explanation has no Chinese")
        if analysis and not CJK_RE.search(analysis):
            problem(loc, "analysis has no Chinese")
        count += 1
    if count < MIN_SENTENCES:
        problem(where, "%d sentences, expected at least %d"
                % (count, MIN_SENTENCES))
    return count, empty_notes


def check_irregular():
    where = "tables/Config/Irregular.tsv"
    rows = read_table(IRREGULAR, IRREGULAR_HEADER, where)
    seen = set()
    for n, f in rows:
        loc = "%s:%d" % (where, n)
        for name, value in zip(IRREGULAR_HEADER, f):
            if not value:
                problem(loc, "empty field %s" % name)
            elif not VERB_FORM_RE.match(value):
                problem(loc, "field %s %r is not a lower-case form or "
                        "slash-separated forms" % (name, value))
        if f[0] in seen:
            problem(loc, "verb %r appears twice" % f[0])
        seen.add(f[0])
    if len(rows) < MIN_IRREGULAR:
        problem(where, "%d verbs, expected at least %d"
                % (len(rows), MIN_IRREGULAR))
    return len(rows)


def main():
    summary = []
    books = read_table(os.path.join(HERE, "books.tsv"), BOOKS_HEADER,
                       "books.tsv")
    ids = set()
    files = set()
    owner = {}
    word_books = 0
    total_words = 0
    sentence_books = 0
    total_sentences = 0
    for n, f in books:
        loc = "books.tsv:%d" % n
        kind, book_id, group, name, fname = f
        for col, value in zip(BOOKS_HEADER, f):
            if not value:
                problem(loc, "empty field %s" % col)
        if not book_id.isdigit():
            problem(loc, "BookID %r is not a number" % book_id)
        elif book_id in ids:
            problem(loc, "BookID %s used twice" % book_id)
        ids.add(book_id)
        if fname in files:
            problem(loc, "file %s listed twice" % fname)
        files.add(fname)
        if group and not CJK_RE.search(group):
            problem(loc, "group name %r is not Chinese" % group)
        if name and not CJK_RE.search(name):
            problem(loc, "book name %r is not Chinese" % name)
        path = os.path.join(HERE, fname)
        if kind == "word":
            if book_id.isdigit() and int(book_id) >= 1000:
                problem(loc, "word book id %s should be below 1000" % book_id)
            words = check_word_book(fname, path)
            for w in words:
                if w in owner and owner[w] != fname:
                    problem(fname, "word %r is also in %s" % (w, owner[w]))
                owner.setdefault(w, fname)
            word_books += 1
            total_words += len(words)
            summary.append("  word book %s %s (%s): %d words"
                           % (book_id, name, fname, len(words)))
        elif kind == "sentence":
            if book_id.isdigit() and int(book_id) < 1001:
                problem(loc, "sentence book id %s should be 1001 or more"
                        % book_id)
            count, empty_notes = check_sentence_book(fname, path)
            sentence_books += 1
            total_sentences += count
            summary.append("  sentence book %s %s (%s): %d sentences, "
                           "%d without a note"
                           % (book_id, name, fname, count, empty_notes))
        else:
            problem(loc, "kind %r is neither word nor sentence" % kind)
    distinct = len(owner)
    if word_books < MIN_WORD_BOOKS:
        problem("books.tsv", "%d word books, expected at least %d"
                % (word_books, MIN_WORD_BOOKS))
    if distinct < MIN_WORDS_TOTAL:
        problem("books.tsv", "%d distinct words in all, expected at least %d"
                % (distinct, MIN_WORDS_TOTAL))
    if sentence_books < 1:
        problem("books.tsv", "no sentence book")
    verbs = check_irregular()

    print("Library books:")
    for line in summary:
        print(line)
    print("Word books: %d, distinct words: %d" % (word_books, distinct))
    print("Sentence books: %d, sentences: %d" % (sentence_books,
                                                total_sentences))
    print("Irregular verbs: %d" % verbs)
    if problems:
        print("\n%d problem(s):" % len(problems))
        for p in problems:
            print("  " + p)
        return 1
    print("OK: no problems found")
    return 0


if __name__ == "__main__":
    sys.exit(main())
