"""The checks of an interop test: each printed as it is made, failures counted."""


class Checklist:
    def __init__(self):
        self.checks = 0
        self.failures = []

    def expect(self, what, condition, detail=""):
        self.checks += 1
        print(("ok   " if condition else "FAIL ") + what + ("" if condition else f"  {detail}"))
        if not condition:
            self.failures.append(what)

    def exit_code(self):
        """Prints the tally; the test's exit status."""
        print(f"{self.checks - len(self.failures)} passed, {len(self.failures)} failed")
        return 1 if self.failures else 0
