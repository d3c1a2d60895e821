"""Tests of scripts/example-schedules.py: the date pictures and the schedule-file layout."""
import datetime
import importlib.util
import pathlib
import shutil
import sys
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
spec = importlib.util.spec_from_file_location("examples", ROOT / "scripts" / "example-schedules.py")
examples = importlib.util.module_from_spec(spec)
spec.loader.exec_module(examples)

THURSDAY = datetime.date(2027, 3, 4)


class FormatDate(unittest.TestCase):
    def test_pictures(self):
        cases = [  # Windows short-date pictures and 4 March 2027 as Windows writes it
            ("M/d/yyyy", "3/4/2027"),
            ("MM/dd/yyyy", "03/04/2027"),
            ("dd.MM.yyyy", "04.03.2027"),
            ("d.M.yyyy", "4.3.2027"),
            ("yyyy-MM-dd", "2027-03-04"),
            ("d/M/yy", "4/3/27"),
            ("ddd, MMM d yyyy", "Thu, Mar 4 2027"),
            ("dddd d MMMM yyyy", "Thursday 4 March 2027"),
            ("dd' de 'MMMM' de 'yyyy", "04 de March de 2027"),
            ("yyyy'年'M'月'd'日'", "2027年3月4日"),
            ("d 'o''clock' M", "4 o'clock 3"),
        ]
        for picture, want in cases:
            with self.subTest(picture=picture):
                self.assertEqual(examples.format_date(picture, THURSDAY), want)


class FileLayout(unittest.TestCase):
    def test_sixteen_lines_each_ending_in_cr_lf(self):
        text = examples.schedule_text("Shut Down", "12/1/2025", "22:30:00", True, 1, "mon,fri")
        self.assertEqual(text, "<DATA>\r\nLastRunTime=\r\nItemType=Shut Down\r\nEnabled=1\r\n"
                               "</DATA>\r\n\r\n<SCHEDULER>\r\nStartDate=12/1/2025\r\n"
                               "StartTime=22:30:00\r\nRepeat=-1\r\nSAccurancy=1\r\n"
                               "Period=mon,fri\r\nRunOnStart=0\r\nRunOnEnd=0\r\n"
                               "</SCHEDULER>\r\n\r\n")

    def test_a_single_run_writes_repeat_zero(self):
        text = examples.schedule_text("Reboot", "1/1/2030", "04:00:00", False, 0, "")
        self.assertIn("\r\nRepeat=0\r\n", text)


class Folder(unittest.TestCase):
    def run_script(self, *extra):
        folder = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, folder)
        argv = sys.argv
        sys.argv = ["example-schedules.py", str(folder / "data"), "yyyy-MM-dd", *extra]
        try:
            examples.main()
        finally:
            sys.argv = argv
        return sorted((folder / "data").iterdir())

    def test_three_examples_start_more_than_a_year_ahead(self):
        files = self.run_script()
        self.assertEqual([f.name for f in files],
                         ["Daily standby.sch", "Monthly reboot.sch", "Weekday shutdown.sch"])
        for f in files:
            start = f.read_bytes().decode("ascii").split("StartDate=")[1].split("\r\n")[0]
            ahead = datetime.date.fromisoformat(start) - datetime.date.today()
            self.assertGreater(ahead.days, 365, f.name)

    def test_a_count_writes_that_many_files(self):
        files = self.run_script("7")
        self.assertEqual(len(files), 7)
        self.assertEqual(files[0].name, "Schedule 00001.sch")
        self.assertEqual(files[-1].name, "Schedule 00007.sch")


if __name__ == "__main__":
    unittest.main()
