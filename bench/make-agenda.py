#!/usr/bin/env python3
"""Writes an iCalendar file of many events for the agenda's benchmark.

    bench/make-agenda.py OUT.ics [--events 10000] [--recurring 1000] [--around YYYY-MM-DD]

The events are spread over the year around the given day (today by
default), a few a day, some all-day, some with a reminder; the recurring
ones repeat weekly without end, started up to a year before.
"""
import argparse
import datetime
import random

parser = argparse.ArgumentParser()
parser.add_argument("out")
parser.add_argument("--events", type=int, default=10000)
parser.add_argument("--recurring", type=int, default=1000)
parser.add_argument("--around", default=datetime.date.today().isoformat())
args = parser.parse_args()

around = datetime.date.fromisoformat(args.around)
rng = random.Random(24)
words = ["Riunione", "Dentista", "Palestra", "Cena", "Treno", "Chiamata", "Revisione", "Corso", "Visita", "Spesa"]
lines = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Tickora bench//IT"]
for i in range(args.events):
    day = around + datetime.timedelta(days=rng.randint(-182, 182))
    lines += ["BEGIN:VEVENT", f"UID:bench-{i}@tickora", "DTSTAMP:20260101T000000Z",
              f"SUMMARY:{rng.choice(words)} {i}"]
    if i % 10 == 5:
        lines += [f"DTSTART;VALUE=DATE:{day:%Y%m%d}", f"DTEND;VALUE=DATE:{day + datetime.timedelta(days=1):%Y%m%d}"]
    else:
        hour = rng.randint(7, 20)
        lines += [f"DTSTART;TZID=Europe/Rome:{day:%Y%m%d}T{hour:02d}{rng.choice([0, 15, 30, 45]):02d}00", "DURATION:PT1H"]
    if i < args.recurring:
        lines.append("RRULE:FREQ=WEEKLY")
    if i % 7 == 0:
        lines += ["BEGIN:VALARM", "ACTION:DISPLAY", "DESCRIPTION:Promemoria", "TRIGGER:-PT15M", "END:VALARM"]
    lines.append("END:VEVENT")
lines.append("END:VCALENDAR")
with open(args.out, "w", newline="") as f:
    f.write("\r\n".join(lines) + "\r\n")
