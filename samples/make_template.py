#!/usr/bin/env python3
"""Writes the sample school's weekly template, samples/school/setka/<weekday>.ini, as the editor
saves it: Monday to Friday filled from the load without a teacher in two classes at once (each
weekday drawn with its own seed), Saturday and Sunday empty; column 0 empty, an empty note line,
"~end~" (run make_school.py and make_days.py first)."""
import os

from make_days import HERE, ROWS, arranged_day, read_load, write

WEEKDAYS = ["Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота", "Воскресенье"]


def main():
    classes, taught, teachers = read_load(True)
    for k, name in enumerate(WEEKDAYS):
        subjects = [[""] * len(classes) for _ in range(ROWS)]
        if k < 5:
            subjects = arranged_day(taught, teachers, 100 + k, lambda j: 6 if j < 9 else 7)
        rooms = [["Спортзал" if s == "Физ-ра" else (str(1 + j % 30) if s else "") for j, s in enumerate(row)]
                 for row in subjects]
        lines = ["|" + "".join(s + "|" for s in row) for row in subjects]
        lines += ["".join(r + "|" for r in row) for row in rooms]
        lines += ["", "~end~"]
        write(os.path.join(HERE, "setka", name + ".ini"), lines)


if __name__ == "__main__":
    main()
