#!/usr/bin/env python3
"""Writes samples/school/nagruz.ini: the teaching load of a sample secondary school
(20 classes, 40 teachers), Windows-1251 with CR LF, in the editor's load-file layout."""
import os

CLASSES = ["5А", "5Б", "5В", "6А", "6Б", "6В", "7А", "7Б", "7В", "8А", "8Б", "8В",
           "9А", "9Б", "9В", "10А", "10Б", "11А", "11Б", "11В"]

# Teachers by subject area, in the order they appear in the file.
TEACHERS = [
    ("Смирнова Елена Викторовна", "rus"), ("Кузнецова Ольга Николаевна", "rus"),
    ("Попова Татьяна Александровна", "rus"), ("Васильева Ирина Сергеевна", "rus"),
    ("Петрова Наталья Ивановна", "rus"), ("Соколова Марина Петровна", "rus"),
    ("Михайлова Светлана Юрьевна", "rus"),
    ("Новиков Андрей Владимирович", "math"), ("Фёдорова Людмила Геннадьевна", "math"),
    ("Морозова Галина Алексеевна", "math"), ("Волков Сергей Михайлович", "math"),
    ("Алексеева Надежда Борисовна", "math"), ("Лебедева Анна Дмитриевна", "math"),
    ("Семёнова Валентина Фёдоровна", "math"),
    ("Егоров Дмитрий Анатольевич", "phys"), ("Павлова Юлия Сергеевна", "phys"),
    ("Козлова Лариса Викторовна", "chem"),
    ("Степанова Оксана Игоревна", "bio"), ("Николаева Вера Павловна", "bio"),
    ("Орлова Елизавета Андреевна", "geo"),
    ("Андреев Игорь Николаевич", "hist"), ("Макарова Тамара Васильевна", "hist"),
    ("Захарова Екатерина Олеговна", "hist"),
    ("Зайцева Мария Александровна", "eng"), ("Соловьёва Дарья Евгеньевна", "eng"),
    ("Борисова Алина Рашидовна", "eng"), ("Яковлева Ксения Витальевна", "eng"),
    ("Григорьева Полина Сергеевна", "eng"),
    ("Романова Инна Генриховна", "ger"),
    ("Воробьёв Максим Олегович", "inf"), ("Сергеева Евгения Львовна", "inf"),
    ("Кузьмин Олег Петрович", "pe"), ("Фролова Алла Викторовна", "pe"),
    ("Александров Денис Игоревич", "pe"),
    ("Дмитриев Валерий Степанович", "obzh"),
    ("Королёва Людмила Ивановна", "music"),
    ("Гусева Антонина Павловна", "art"),
    ("Киселёва Раиса Михайловна", "tech"), ("Ильин Пётр Семёнович", "tech"),
    ("Тихонова Зоя Аркадьевна", "rus"),
]


def grade(cls):
    return int(cls[:-1])


def subjects_of(cls):
    """(subject, subject area, groups) for one class; groups = 2 splits the class between two teachers."""
    g = grade(cls)
    out = [("Рус.яз", "rus", 1), ("Литер", "rus", 1)]
    if g <= 6:
        out += [("Матем", "math", 1), ("История", "hist", 1), ("Биология", "bio", 1),
                ("Геогр", "geo", 1), ("Музыка", "music", 1), ("ИЗО", "art", 1), ("Технол", "tech", 2)]
    else:
        out += [("Алгебра", "math", 1), ("Геометрия", "math", 1), ("Физика", "phys", 1),
                ("История", "hist", 1), ("Общество", "hist", 1), ("Биология", "bio", 1), ("Информ", "inf", 2)]
        if g <= 10:
            out.append(("Геогр", "geo", 1))
        if g >= 8:
            out += [("Химия", "chem", 1), ("ОБЖ", "obzh", 1)]
        if g == 7:
            out += [("Музыка", "music", 1), ("ИЗО", "art", 1), ("Технол", "tech", 2)]
        if g == 8:
            out.append(("Технол", "tech", 2))
        if g == 11:
            out.append(("Астроном", "phys", 1))
    out.append(("Физ-ра", "pe", 1))
    # English in two groups; the В classes learn German in the second group.
    if cls.endswith("В"):
        out += [("Англ.яз", "eng", 1), ("Нем.яз", "ger", 1)]
    else:
        out.append(("Англ.яз", "eng", 2))
    return out


def main():
    names = [t[0] for t in TEACHERS]
    load = {name: [[] for _ in CLASSES] for name in names}
    hours = {name: 0 for name in names}
    by_area = {}
    for name, area in TEACHERS:
        by_area.setdefault(area, []).append(name)
    for j, cls in enumerate(CLASSES):
        chosen = {}
        for subject, area, groups in subjects_of(cls):
            pool = by_area[area]
            # Russian and literature stay with one teacher per class, as do algebra and geometry.
            key = (area, "pair") if area in ("rus", "math") and groups == 1 else None
            if key in chosen:
                picked = [chosen[key]]
            else:
                picked = sorted(pool, key=lambda n: (hours[n], pool.index(n)))[:groups]
                if key:
                    chosen[key] = picked[0]
            for name in picked:
                load[name][j].append(subject)
                hours[name] += 1
    lines = ["".join(c + "|" for c in CLASSES)]
    for name in names:
        lines.append(name + "|" + "".join("".join(s + ";" for s in field) + "|" for field in load[name]))
    lines.append("~end~")
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "school", "nagruz.ini")
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1251"))


if __name__ == "__main__":
    main()
