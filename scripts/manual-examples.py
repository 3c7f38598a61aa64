#!/usr/bin/env python3
"""Keeps the quorvan-cli examples of the user manual, the manual pages and the README true.

An example is a command line that starts with "$ quorvan-cli" (a pipe into quorvan-cli counts as
well: "$ printf ... | quorvan-cli ...") followed by the lines the command prints, up to the next
"$ " line or the end of the block. Blocks are

  HTML      <pre class="example"> ... </pre>   each tag on a line of its own; entities are read
                                                and written as HTML
  roff      .EX ... .EE                          \\- \\e \\(aq \\& are read and written as roff
  Markdown  ``` ... ```                          lines as they stand

  manual-examples.py --check  CLI-FOLDER FILE...   runs every example, reports each difference,
                                                    exit status 1 when any example is not true
  manual-examples.py --update CLI-FOLDER FILE...   rewrites the printed lines from real runs

CLI-FOLDER is the folder that holds the quorvan-cli to run (it is put first on PATH). Each
command runs in bash with standard error joined to standard output. Examples must not depend on
today's date.
"""
import html
import os
import re
import subprocess
import sys
import tempfile

WORK_FOLDER = tempfile.TemporaryDirectory(prefix="manual-examples-")


def run(command, cli_folder):
    environment = dict(os.environ)
    environment["PATH"] = cli_folder + os.pathsep + environment.get("PATH", "")
    environment["LC_ALL"] = "C.UTF-8"
    # Files an example writes (an exported calendar) go to a folder of their own, which the
    # examples after it in the same run see too.
    done = subprocess.run(["bash", "-c", command], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          env=environment, timeout=30, cwd=WORK_FOLDER.name)
    text = done.stdout.decode("utf-8", "replace")
    if not text:
        return []  # a command that prints nothing (its output sent to a file)
    return text.split("\n")[:-1] if text.endswith("\n") else text.split("\n")


class Html:
    block_start = re.compile(r'<pre class="example">')
    block_end = re.compile(r"</pre>")

    @staticmethod
    def read(line):
        return html.unescape(re.sub(r"<[^>]+>", "", line))

    @staticmethod
    def write(text):
        return html.escape(text, quote=False)


class Roff:
    block_start = re.compile(r"^\.EX\s*$")
    block_end = re.compile(r"^\.EE\s*$")

    @staticmethod
    def read(line):
        text = line.replace("\\(aq", "'").replace("\\-", "-").replace("\\&", "")
        return text.replace("\\e", "\\")

    @staticmethod
    def write(text):
        text = text.replace("\\", "\\e").replace("-", "\\-").replace("'", "\\(aq")
        if text.startswith(".") or text.startswith("'"):
            text = "\\&" + text
        return text


class Markdown:
    block_start = re.compile(r"^```\s*$")
    block_end = re.compile(r"^```\s*$")

    @staticmethod
    def read(line):
        return line

    @staticmethod
    def write(text):
        return text


def is_command(text):
    return text.startswith("$ ") and re.search(r"(^\$ |\| *)quorvan-cli\b", text) is not None


def process(path, cli_folder, update):
    """Checks (or rewrites) the examples of one file; returns their count and the problems."""
    kind = Roff if path.endswith((".1", ".1.in")) else Markdown if path.endswith(".md") else Html
    with open(path, encoding="utf-8") as source:
        lines = source.read().split("\n")
    output, problems, examples = [], [], 0
    index = 0
    inside = False
    while index < len(lines):
        line = lines[index]
        index += 1
        output.append(line)
        if not inside:
            inside = kind.block_start.search(line) is not None
            continue
        if kind.block_end.search(line):
            inside = False
            continue
        command = kind.read(line)
        if not is_command(command):
            continue
        expected = []
        while (index < len(lines) and not kind.block_end.search(lines[index])
               and not kind.read(lines[index]).startswith("$ ")):
            expected.append(kind.read(lines[index]))
            index += 1
        problems += check(command, expected, cli_folder, update, output, kind, path)
        examples += 1
    if update:
        with open(path, "w", encoding="utf-8") as target:
            target.write("\n".join(output))
    return examples, problems


def check(command_text, expected, cli_folder, update, output, kind, path):
    actual = run(command_text[2:], cli_folder)
    if update:
        output.extend(kind.write(text) for text in actual)
        return []
    output.extend(kind.write(text) for text in expected)
    if actual == expected:
        return []
    return ["%s: %s\n    manual says:\n%s\n    program says:\n%s" % (
        path, command_text,
        "\n".join("      " + t for t in expected) or "      (nothing)",
        "\n".join("      " + t for t in actual) or "      (nothing)")]


def main(arguments):
    if len(arguments) < 3 or arguments[0] not in ("--check", "--update"):
        print(__doc__, file=sys.stderr)
        return 2
    update = arguments[0] == "--update"
    cli_folder = os.path.abspath(arguments[1])
    if not os.access(os.path.join(cli_folder, "quorvan-cli"), os.X_OK):
        print("manual-examples: no quorvan-cli in " + cli_folder, file=sys.stderr)
        return 2
    total, problems = 0, []
    for path in arguments[2:]:
        count, found = process(path, cli_folder, update)
        if count == 0:
            problems.append(path + ": no example found")
        total += count
        problems += found
    for problem in problems:
        print(problem)
    print("%d examples in %d files, %d not true" % (total, len(arguments) - 2, len(problems)))
    return 1 if problems and not update else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
