#!/usr/bin/env python3
"""Writes samples/school/setting.ini and the saved days of one school week, samples/school/r_data/
07.12.2026.ini (Monday) to 11.12.2026.ini (Friday), for the sample load in samples/school/nagruz.ini:
Windows-1251 with CR LF, in the editor's layouts (run make_school.py first). Each day is its
weekday's template (the same arrangement make_template.py writes) with three pairs of lessons
changed places within their classes, so that a few coincidences are left for the automatic
arrangement to repair; the pinned Физ-ра never moves. Each day also has one teacher away all day
(its companion file DD.MM.YYYY.zam); the covers of her lessons are then added by the editor's own
whole-day cover:  raspisanie-cli -C samples/school cover DD.MM.YYYY --apply  for each date."""
import os
import random

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "school")
ROWS = 7


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1251"))


def read_load(with_teachers=False):
    with open(os.path.join(HERE, "nagruz.ini"), "rb") as f:
        lines = f.read().decode("cp1251").split("\r\n")
    classes = lines[0].split("|")[:-1]
    taught = [[] for _ in classes]
    teachers = [{} for _ in classes]  # per class: subject -> its teachers in file order
    for line in lines[1:]:
        if line == "~end~":
            break
        fields = line.split("|")
        name, fields = fields[0], fields[1:-1]
        for j, field in enumerate(fields[:len(classes)]):
            for subject in field.split(";")[:-1]:
                if subject and subject not in taught[j]:
                    taught[j].append(subject)
                if subject:
                    teachers[j].setdefault(subject, []).append(name)
    if with_teachers:
        return classes, taught, teachers
    return classes, taught


def tokens(names):
    """The tokens by which two teacher lists coincide: the first name and the rest of the list."""
    return {names[0], ", ".join(names[1:])} if len(names) > 1 else {names[0]}


def arranged_day(taught, teachers, seed, lessons_of):
    """Subjects [row][class] with no teacher in two classes at one lesson: every class has
    lessons_of(j) different subjects from lesson 1, chosen lesson by lesson; retried until it fits."""
    rng = random.Random(seed)
    while True:
        subjects = [[""] * len(taught) for _ in range(ROWS)]
        ok = True
        for i in range(ROWS):
            busy = set()
            order = list(range(len(taught)))
            rng.shuffle(order)
            for j in order:
                if i >= lessons_of(j):
                    continue
                used = {subjects[r][j] for r in range(i)}
                options = [s for s in taught[j] if s not in used and not tokens(teachers[j][s]) & busy]
                if not options:
                    ok = False
                    break
                s = rng.choice(options)
                subjects[i][j] = s
                busy |= tokens(teachers[j][s])
            if not ok:
                break
        if ok:
            return subjects


def clash_rows(subjects, teachers, j):
    """Rows where a lesson of class j shares a teacher with another class's lesson."""
    out = set()
    for i, row in enumerate(subjects):
        if not row[j]:
            continue
        for k, s in enumerate(row):
            if k != j and s and tokens(teachers[j][row[j]]) & tokens(teachers[k][s]):
                out.add(i)
    return out


def add_clashes(subjects, teachers, seed, pairs, pinned):
    """Swaps `pairs` pairs of lessons within their classes, each swap making a coincidence."""
    rng = random.Random(seed)
    done = 0
    while done < pairs:
        j = rng.randrange(len(subjects[0]))
        rows = [i for i in range(ROWS) if subjects[i][j] and subjects[i][j] != pinned]
        a, b = rng.sample(rows, 2)
        before = len(clash_rows(subjects, teachers, j))
        subjects[a][j], subjects[b][j] = subjects[b][j], subjects[a][j]
        if len(clash_rows(subjects, teachers, j)) > before:
            done += 1
        else:
            subjects[a][j], subjects[b][j] = subjects[b][j], subjects[a][j]


def main():
    rooms = [str(n) for n in range(1, 31)] + ["Спортзал"]
    write(os.path.join(HERE, "setting.ini"),
          rooms + ["~end~", "Физ-ра", "~end~",
                   # The reference server as tools/schedule_server.py starts by default, so the
                   # demo shows its notes once it runs.
                   "127.0.0.1", "5050", "школа", "пароль", "1", "1", "1", "0", "0", str(ROWS), "0", "0", "0", "1", "0"])

    classes, taught, teachers = read_load(True)
    for k in range(5):
        date = "%02d.12.2026" % (7 + k)
        # The weekday's template (make_template.py's seed), then three swaps.
        subjects = arranged_day(taught, teachers, 100 + k, lambda j: 6 if j < 9 else 7)
        add_clashes(subjects, teachers, 3 + k, 3, "Физ-ра")
        room_of = [["Спортзал" if s == "Физ-ра" else (str(1 + j % 30) if s else "") for j, s in enumerate(row)]
                   for row in subjects]
        lines = ["|" + "".join(s + "|" for s in row) for row in subjects]
        lines += ["".join(r + "|" for r in row) for row in room_of]
        lines += ["", "~end~"]
        write(os.path.join(HERE, "r_data", date + ".ini"), lines)
        # The teacher away: among those with four lessons that day, the k-th by name.
        count = {}
        for row in subjects:
            for j, s in enumerate(row):
                for name in teachers[j].get(s, []) if s else []:
                    count[name] = count.get(name, 0) + 1
        four = sorted(name for name, n in count.items() if n == 4)
        write(os.path.join(HERE, "r_data", date + ".zam"),
              ["[Отсутствуют]", "%s|1|%d|%s" % (four[k % len(four)], ROWS, "болезнь" if k % 2 == 0 else "курсы")])

if __name__ == "__main__":
    main()
