# `make demo`'s picture of the app: starts it, loads the coin-cell series in headless Chromium,
# fits it as one batch and saves a screenshot after the fit into demo-figures/.
"""Screenshot of corvex's app after a batch fit, with the start-up and batch times."""

from __future__ import annotations

import shutil
import socket
import subprocess
import sys
import time
import urllib.request
from pathlib import Path

import corvex
import corvex.batch
import corvex.io

ROOT = Path(__file__).resolve().parent.parent
COIN_CELL = ROOT / "examples" / "data" / "coin-cell-cycling.csv"
OUTPUT = ROOT / "demo-figures"


def start_server() -> tuple[subprocess.Popen[bytes], str, float]:
    """The app in its own process on a free loopback port, and the seconds to its first page."""
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    started = time.perf_counter()
    process = subprocess.Popen([sys.executable, "-m", "corvex.app", "--no-browser", "--port", str(port)])
    url = f"http://127.0.0.1:{port}/"
    while True:
        try:
            urllib.request.urlopen(url, timeout=1)
            return process, url, time.perf_counter() - started
        except OSError:
            if process.poll() is not None:
                raise SystemExit("the app did not start") from None
            time.sleep(0.05)


def main() -> None:
    chromedriver, chromium = shutil.which("chromedriver"), shutil.which("chromium")
    if chromedriver is None or chromium is None:
        raise SystemExit("the app's screenshot needs chromium and chromium-driver: make setup installs them")
    from selenium import webdriver
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait

    process, url, startup = start_server()
    options = webdriver.ChromeOptions()
    options.binary_location = chromium
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--window-size=1400,3300"):
        options.add_argument(argument)
    driver = webdriver.Chrome(options=options, service=webdriver.ChromeService(chromedriver))
    try:
        driver.get(url)
        wait = WebDriverWait(driver, 300, poll_frequency=0.05)
        wait.until(lambda _: driver.find_elements(By.CSS_SELECTOR, "#upload input[type=file]"))
        driver.find_element(By.CSS_SELECTOR, "#upload input[type=file]").send_keys(str(COIN_CELL))
        wait.until(lambda _: len(driver.find_elements(By.CSS_SELECTOR, "#spectra-table tr")) > 2)
        # A few cycles along the series overlaid, besides the first one the page selects.
        boxes = driver.find_elements(By.CSS_SELECTOR, "#spectra-table input[type=checkbox]")
        for box in boxes[len(boxes) // 4::len(boxes) // 4]:
            driver.execute_script("arguments[0].click()", box)
        driver.find_element(By.ID, "circuit").clear()
        driver.find_element(By.ID, "circuit").send_keys("R0-p(R1,CPE1)-p(R2,CPE2)\n")
        time.sleep(1.0)
        batch_started = time.perf_counter()
        driver.execute_script("document.getElementById('fit-all').click()")
        wait.until(lambda _: driver.find_element(By.ID, "fit-status").text.startswith("batch done"))
        in_app = time.perf_counter() - batch_started
        time.sleep(2.0)  # the plots redraw after the results arrive
        OUTPUT.mkdir(exist_ok=True)
        picture = OUTPUT / "app-after-batch-fit.png"
        driver.save_screenshot(str(picture))
    finally:
        driver.quit()
        process.terminate()
        process.wait(10)
    frame = corvex.io.read(COIN_CELL)
    started = time.perf_counter()
    corvex.batch.fit(corvex.Circuit("R0-p(R1,CPE1)-p(R2,CPE2)"), frame, by="Spectrum", progress=False)
    library = time.perf_counter() - started
    print(f"app start-up to first page: {startup:.2f} s")
    print(f"batch of {frame['Spectrum'].nunique()} spectra: {in_app:.2f} s in the app (click to results shown), "
          f"{library:.2f} s in corvex.batch.fit")
    print(f"screenshot: {picture}")


if __name__ == "__main__":
    main()
