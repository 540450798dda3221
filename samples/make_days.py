#!/usr/bin/env python3
"""Writes samples/school/setting.ini and one saved day, samples/school/r_data/09.12.2026.ini,
for the sample load in samples/school/nagruz.ini: Windows-1251 with CR LF, in the editor's
layouts (run make_school.py first)."""
import os

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "school")
ROWS = 7


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1251"))


def read_load():
    with open(os.path.join(HERE, "nagruz.ini"), "rb") as f:
        lines = f.read().decode("cp1251").split("\r\n")
    classes = lines[0].split("|")[:-1]
    taught = [[] for _ in classes]
    for line in lines[1:]:
        if line == "~end~":
            break
        fields = line.split("|")[1:-1]
        for j, field in enumerate(fields[:len(classes)]):
            for subject in field.split(";")[:-1]:
                if subject and subject not in taught[j]:
                    taught[j].append(subject)
    return classes, taught


def main():
    rooms = [str(n) for n in range(1, 31)] + ["Спортзал"]
    write(os.path.join(HERE, "setting.ini"),
          rooms + ["~end~", "Физ-ра", "~end~",
                   "127.0.0.1", "7100", "", "", "0", "1", "1", "0", "0", str(ROWS), "0", "0", "0", "1", "0"])

    classes, taught = read_load()
    subjects = [[""] * len(classes) for _ in range(ROWS)]
    room_of = [[""] * len(classes) for _ in range(ROWS)]
    for j, own in enumerate(taught):
        lessons = 6 if j < 9 else 7  # the younger classes have six lessons
        for i in range(lessons):
            subject = own[(i * 3 + j) % len(own)]
            subjects[i][j] = subject
            room_of[i][j] = "Спортзал" if subject == "Физ-ра" else str(1 + j % 30)
    lines = ["|" + "".join(s + "|" for s in row) for row in subjects]
    lines += ["".join(r + "|" for r in row) for row in room_of]
    lines += ["Замена: 3 урок в 7А ведёт Смирнова Е. В.", "~end~"]
    write(os.path.join(HERE, "r_data", "09.12.2026.ini"), lines)


if __name__ == "__main__":
    main()
