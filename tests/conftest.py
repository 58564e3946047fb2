# Set-up shared by every test file: the Ctrl-C tests need SIGINT to raise KeyboardInterrupt.
# A shell that starts the run in the background hands Python an ignored SIGINT, and then a call
# those tests expect to interrupt would run on (one of them for ever).
import signal


def pytest_configure(config):
    if signal.getsignal(signal.SIGINT) is signal.SIG_IGN:
        signal.signal(signal.SIGINT, signal.default_int_handler)
