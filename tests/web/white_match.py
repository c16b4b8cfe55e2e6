"""One White-belt match played by keyboard to the end, the same way on any driver.

Every problem is answered wrong once (99), then right: the right result is read from the
log's line for the wrong answer. The driver offers key(name), type_text(text),
count(regex), log_lines(), area(rect) and wait(seconds, what, predicate).
"""

import re
import time

PROBLEM_LINE = r"^[0-9]{3} "
ENTER_RECT = (260, 296, 120, 52)


class MatchError(Exception):
    pass


def answer_wrong_then_right(driver, i, after_wrong=None):
    """Problem i of the match (from 1): answered 99, then with the result its log line gives."""
    before = driver.count(PROBLEM_LINE)
    # A key press cuts the pause in which the previous answer's feedback is shown.
    driver.key("Shift")
    driver.type_text("99")
    driver.key("Enter")
    driver.wait(15, f"problem {i}: the wrong answer is logged",
                lambda: driver.count(PROBLEM_LINE) > before)
    last = [line for line in driver.log_lines() if re.search(PROBLEM_LINE, line)][-1]
    found = re.search(r"=99 \((-?[0-9]+)\)\t\t", last)
    if not found:
        raise MatchError(f"problem {i}: not a wrong-answer line: {last!r}")
    if after_wrong:
        after_wrong()
    driver.key("Shift")
    driver.type_text(found.group(1))
    driver.key("Enter")
    driver.wait(15, f"problem {i}: the right answer is logged",
                lambda: driver.count("\tOK\t") >= i)


def play_white_match(driver, enter_idle, on_first_problem=None):
    """Starts the match from the idle screen and returns once the idle screen is back."""
    driver.key("Enter")
    time.sleep(1)
    for i in range(1, 11):
        answer_wrong_then_right(driver, i, on_first_problem if i == 1 else None)
    time.sleep(2)
    driver.wait(40, "the idle screen returns", lambda: driver.area(ENTER_RECT) == enter_idle)
