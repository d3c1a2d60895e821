#!/usr/bin/env python3
"""example-schedules.py DATA_FOLDER SHORT_DATE_PICTURE [COUNT]: writes example schedule files.

Without COUNT: three named examples. With COUNT: that many files "Schedule 00001.sch" and so
on, going round the three examples (for benchmarks).

The start dates are written in the Windows short-date picture the program will read them
with (for example M/d/yyyy or dd.MM.yyyy); every start lies more than a year ahead, so no
example falls due while the program is tried out.
"""
import datetime
import pathlib
import re
import sys

MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]
DAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]


def format_date(picture: str, d: datetime.date) -> str:
    """Formats a date by a Windows date picture: d dd ddd dddd M MM MMM MMMM y yy yyyy, 'text'."""
    def token(m: re.Match) -> str:
        t = m.group(0)
        if t.startswith("'"):
            return t[1:-1].replace("''", "'") if len(t) > 1 else ""
        c, n = t[0], len(t)
        if c == "d":
            return [str(d.day), f"{d.day:02}", DAYS[d.weekday()][:3], DAYS[d.weekday()]][min(n, 4) - 1]
        if c == "M":
            return [str(d.month), f"{d.month:02}", MONTHS[d.month - 1][:3], MONTHS[d.month - 1]][min(n, 4) - 1]
        if c == "y":
            return str(d.year % 100) if n == 1 else f"{d.year % 100:02}" if n == 2 else str(d.year)
        return t
    return re.sub(r"'(?:[^']|'')*'?|d+|M+|y+|g+", token, picture)


def schedule_text(item_type, start, time, repeat, kind, period):
    lines = ["<DATA>", "LastRunTime=", f"ItemType={item_type}", "Enabled=1", "</DATA>", "",
             "<SCHEDULER>", f"StartDate={start}", f"StartTime={time}",
             f"Repeat={'-1' if repeat else '0'}", f"SAccurancy={kind}", f"Period={period}",
             "RunOnStart=0", "RunOnEnd=0", "</SCHEDULER>", ""]
    return "".join(line + "\r\n" for line in lines)


def main() -> None:
    folder, picture = pathlib.Path(sys.argv[1]), sys.argv[2]
    year = datetime.date.today().year + 2
    examples = {
        "Weekday shutdown": ("Shut Down", datetime.date(year, 1, 1), "22:30:00", True, 1,
                             "mon,tue,wed,thu,fri"),
        "Daily standby": ("Stand by", datetime.date(year, 2, 1), "13:00:00", True, 0, ""),
        "Monthly reboot": ("Reboot", datetime.date(year, 3, 1), "04:00:00", True, 2, "1,15"),
    }
    texts = [schedule_text(item_type, format_date(picture, start), time, repeat, kind, period)
             for item_type, start, time, repeat, kind, period in examples.values()]
    if len(sys.argv) > 3:
        count = int(sys.argv[3])
        files = {f"Schedule {i + 1:05}": texts[i % len(texts)] for i in range(count)}
    else:
        files = dict(zip(examples, texts))
    folder.mkdir(parents=True, exist_ok=True)
    for name, text in files.items():
        # Plain ASCII reads the same in every ANSI code page.
        (folder / f"{name}.sch").write_bytes(text.encode("ascii"))


if __name__ == "__main__":
    main()
