#!/usr/bin/env python3
"""Writes the sample school's weekly template, samples/school/setka/<weekday>.ini, as the editor
saves it: Monday to Friday filled from the load (each weekday starts the subjects of a class at
another place), Saturday and Sunday empty; column 0 empty, an empty note line, "~end~"
(run make_school.py and make_days.py first)."""
import os

from make_days import HERE, ROWS, read_load, write

WEEKDAYS = ["Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота", "Воскресенье"]


def main():
    classes, taught = read_load()
    for k, name in enumerate(WEEKDAYS):
        subjects = [[""] * len(classes) for _ in range(ROWS)]
        rooms = [[""] * len(classes) for _ in range(ROWS)]
        if k < 5:
            for j, own in enumerate(taught):
                lessons = 6 if j < 9 else 7
                for i in range(lessons):
                    subject = own[(i * 3 + j + k * 2) % len(own)]
                    subjects[i][j] = subject
                    rooms[i][j] = "Спортзал" if subject == "Физ-ра" else str(1 + j % 30)
        lines = ["|" + "".join(s + "|" for s in row) for row in subjects]
        lines += ["".join(r + "|" for r in row) for row in rooms]
        lines += ["", "~end~"]
        write(os.path.join(HERE, "setka", name + ".ini"), lines)


if __name__ == "__main__":
    main()
