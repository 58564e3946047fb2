# The app driven in headless Chromium: loading files, the plots' points, fits equal to the
# library's, held parameters, a reload that keeps the work, batch and cancel, runaway values
# drawn hollow, downloads, a restored session and a refused spreadsheet bomb.
"""Browser tests of corvex.app (Selenium with Debian's chromium and chromedriver)."""

from __future__ import annotations

import os
import shutil
import socket
import subprocess
import sys
import time
import urllib.request
from pathlib import Path

import numpy as np
import pytest

pytest.importorskip("dash")
webdriver = pytest.importorskip("selenium.webdriver")

import corvex  # noqa: E402
import hostile_files  # noqa: E402
import corvex.io  # noqa: E402
from corvex.fitting import fit  # noqa: E402

CHROMEDRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"
CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
if not (os.access(CHROMEDRIVER, os.X_OK) and os.access(CHROMIUM, os.X_OK)):
    pytest.skip("chromium and chromium-driver are not installed (make setup installs them)", allow_module_level=True)

from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
BIOLOGIC = ROOT / "examples" / "data" / "exampleDataBioLogic.mpt"
COIN_CELL = ROOT / "examples" / "data" / "coin-cell-cycling.csv"
# How long a page may take to show what a step does: long enough for a busy machine, since a
# wait ends as soon as the page shows it and only a failing test waits it out.
WAIT = 180


@pytest.fixture(scope="module")
def server():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    process = subprocess.Popen([sys.executable, "-m", "corvex.app", "--no-browser", "--port", str(port)],
                               stderr=subprocess.PIPE, text=True)
    url = f"http://127.0.0.1:{port}/"
    try:
        deadline = time.monotonic() + WAIT
        while True:
            try:
                urllib.request.urlopen(url, timeout=1)
                break
            except OSError:
                if process.poll() is not None or time.monotonic() > deadline:
                    raise RuntimeError(f"the app did not start: {process.stderr.read()}") from None
                time.sleep(0.2)
        yield url
    finally:
        process.terminate()
        process.wait(10)


@pytest.fixture(scope="module")
def downloads(tmp_path_factory):
    return tmp_path_factory.mktemp("downloads")


@pytest.fixture(scope="module")
def browser(server, downloads):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--window-size=1400,3000"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"download.default_directory": str(downloads),
                                              "download.prompt_for_download": False,
                                              "profile.default_content_setting_values.automatic_downloads": 1})
    driver = webdriver.Chrome(options=options, service=webdriver.ChromeService(CHROMEDRIVER))
    driver.get(server)
    yield driver
    driver.quit()


def wait_for(driver, condition, message):
    return WebDriverWait(driver, WAIT, poll_frequency=0.2).until(lambda _: condition(), message)


def upload(driver, target, *paths):
    selector = f"#{target} input[type=file]"
    # The drop zones open once the page has taken its workspace.
    field = wait_for(driver, lambda: [field for field in driver.find_elements(By.CSS_SELECTOR, selector)
                                      if field.is_enabled()], "the page did not load")[0]
    field.send_keys("\n".join(map(str, paths)))


def table_rows(driver, table):
    """The rows of a Dash DataTable, each a dict from column id to the text shown."""
    rows = []
    for row in driver.find_elements(By.CSS_SELECTOR, f"#{table} tr"):
        values = {cell.get_attribute("data-dash-column"): cell.text
                  for cell in row.find_elements(By.CSS_SELECTOR, "td[data-dash-column]")}
        if values:
            rows.append(values)
    return rows


def shown_parameters(driver):
    return {row["parameter"]: row for row in table_rows(driver, "results-table")}


def status(driver):
    return driver.find_element(By.ID, "fit-status").text


def downloaded(downloads, name):
    path = downloads / name
    deadline = time.monotonic() + WAIT
    while not (path.exists() and path.stat().st_size > 0):
        assert time.monotonic() < deadline, f"{name} was not downloaded"
        time.sleep(0.2)
    return path


def click_css(driver, selector):
    driver.execute_script("document.querySelector(arguments[0]).click()", selector)


def click(driver, identifier):
    driver.execute_script("document.getElementById(arguments[0]).click()", identifier)


def fresh_page(driver):
    """A page with a new, empty workspace (the tab forgets the one it had)."""
    driver.execute_script("window.sessionStorage.clear()")
    driver.refresh()


def spectrum_of(path):
    frame = corvex.io.read(path)
    return frame["Frequency / Hz"].to_numpy(), (frame["Real Impedance / ohm"].to_numpy()
                                                + 1j * frame["Imaginary Impedance / ohm"].to_numpy())


def test_loading_shows_spectra_errors_and_the_nyquist_points(browser, tmp_path):
    bad = tmp_path / "broken.csv"
    bad.write_text("freq,Zre,Zim\n1000,1.0,oops\n")
    upload(browser, "upload", BIOLOGIC, bad)
    wait_for(browser, lambda: table_rows(browser, "spectra-table"), "no spectrum listed")
    assert [row["spectrum"] for row in table_rows(browser, "spectra-table")] == [BIOLOGIC.name]
    wait_for(browser, lambda: "broken.csv" in browser.find_element(By.ID, "load-errors").text, "no load error")
    message = browser.find_element(By.ID, "load-errors").text
    assert "corvex-app-" not in message  # the reader's message names the file, not our temporary copy
    frequencies, impedances = spectrum_of(BIOLOGIC)
    script = "var p = document.querySelector('#nyquist .js-plotly-plot'); return p && p.data.length ? " \
             "[Array.from(p._fullData[0].x), Array.from(p._fullData[0].y)] : null;"
    trace = wait_for(browser, lambda: browser.execute_script(script), "no Nyquist trace")
    np.testing.assert_allclose(trace[0], impedances.real, rtol=1e-12)
    np.testing.assert_allclose(trace[1], -impedances.imag, rtol=1e-12)


def test_fit_shows_the_library_fit_and_holds_a_parameter(browser):
    frequencies, impedances = spectrum_of(BIOLOGIC)
    expected = fit(corvex.Circuit("randles"), frequencies, impedances)
    click(browser, "fit-selected")
    wait_for(browser, lambda: shown_parameters(browser), "no fitted parameters shown")
    shown = shown_parameters(browser)
    assert set(shown) == set(expected.names)
    for name in expected.names:
        assert float(shown[name]["value"]) == pytest.approx(expected.result.params[name], rel=1e-5)
        if name in expected.runaway:  # no finding: marked, and no interval shown
            assert (shown[name]["identifiable"], shown[name]["ci_low"]) == ("RUNAWAY", "")
        else:
            assert float(shown[name]["ci_low"]) == pytest.approx(expected.intervals[name][0], rel=1e-5, abs=1e-12)
    held, value = expected.names[0], f"{expected.result.params[expected.names[0]]:.3g}"
    cell = browser.find_element(By.CSS_SELECTOR, "#parameter-table td[data-dash-column='hold']")
    ActionChains(browser).click(cell).send_keys(value, Keys.ENTER).perform()
    click(browser, "fit-selected")
    wait_for(browser, lambda: shown_parameters(browser).get(held, {}).get("identifiable") == "held",
             f"the held parameter is not shown as held: {table_rows(browser, 'parameter-table')}")
    assert float(shown_parameters(browser)[held]["value"]) == float(value)


def test_export_and_session_restore(browser, downloads):
    shown = shown_parameters(browser)
    click(browser, "export-csv")
    table = corvex.io.read_table(downloaded(downloads, "corvex-results.csv"))
    for name, row in shown.items():
        assert table[name].iloc[0] == pytest.approx(float(row["value"]), rel=1e-5)
    click(browser, "export-session")
    session_file = downloaded(downloads, "corvex-session.json")
    browser.refresh()  # a reload keeps the work
    wait_for(browser, lambda: shown_parameters(browser) == shown, "the reload lost the fit")
    assert [row["spectrum"] for row in table_rows(browser, "spectra-table")] == [BIOLOGIC.name]
    fresh_page(browser)
    wait_for(browser, lambda: [field for field in browser.find_elements(By.CSS_SELECTOR, "#upload input[type=file]")
                               if field.is_enabled()], "no page")
    assert not table_rows(browser, "spectra-table") and not shown_parameters(browser)
    upload(browser, "session-upload", session_file)
    wait_for(browser, lambda: shown_parameters(browser) == shown, "the restored page differs")
    hold = browser.find_element(By.CSS_SELECTOR, "#parameter-table td[data-dash-column='hold']").text
    assert float(hold) == float(shown[next(iter(shown))]["value"])


def trend_traces(driver):
    script = "var p = document.querySelector('#trend .js-plotly-plot'); return p && p._fullData.length && " \
             "p._fullData[0].x ? p._fullData.map(t => [t.name, Array.from(t.y), t.marker.color]) : null;"
    return driver.execute_script(script)


def test_batch_fits_a_series_draws_runaway_values_hollow_and_a_second_batch_cancels(browser):
    fresh_page(browser)
    upload(browser, "upload", COIN_CELL)
    wait_for(browser, lambda: len(table_rows(browser, "spectra-table")) > 1 or None, "the series was not split")
    count = len(corvex.io.read(COIN_CELL).groupby("Spectrum"))
    circuit = browser.find_element(By.ID, "circuit")
    circuit.clear()
    circuit.send_keys("two_rq", Keys.ENTER)
    click(browser, "fit-all")
    wait_for(browser, lambda: ": done" in status(browser), "the batch did not finish")
    assert f"fitting {count} spectra" in status(browser) and "runaway values" in status(browser)
    # The first parameter the status names as runaway, chosen for the trend.
    flagged = status(browser).split("runaway values (")[1].split(",")[0].split(")")[0]
    click_css(browser, "#trend-parameter .dash-dropdown-trigger")
    option = wait_for(browser, lambda: [item for item in browser.find_elements(By.CSS_SELECTOR, ".dash-dropdown-option")
                                        if item.text.strip() == flagged], f"no option {flagged} for the trend")
    option[0].click()
    traces = wait_for(browser, lambda: (trend_traces(browser) or [None])[-1] and
                      trend_traces(browser)[-1][0].endswith("runaway") and trend_traces(browser),
                      "no hollow runaway values drawn")
    sound, hollow = traces
    assert hollow[2] == "rgba(0,0,0,0)" and len(hollow[1]) > 0
    assert len(sound[1]) <= count and sum(value is None for value in sound[1]) == len(hollow[1])
    click(browser, "fit-all")
    wait_for(browser, lambda: browser.find_element(By.ID, "cancel").is_enabled(), "cancel never enabled")
    click(browser, "cancel")
    wait_for(browser, lambda: "cancelled" in status(browser), "the batch was not cancelled")


def test_suggest_ranks_circuits_and_a_row_click_takes_one(browser):
    click(browser, "suggest")
    rows = wait_for(browser, lambda: table_rows(browser, "ranking-table"), "no ranking shown")
    assert [int(row["rank"]) for row in rows] == list(range(1, len(rows) + 1))
    chosen = rows[1]["circuit"]
    browser.find_elements(By.CSS_SELECTOR, "#ranking-table td[data-dash-column='circuit']")[1].click()
    wait_for(browser, lambda: browser.find_element(By.ID, "circuit").get_attribute("value") == chosen,
             "the clicked circuit was not taken")
    names = corvex.Circuit(chosen).param_names()
    wait_for(browser, lambda: [row["parameter"] for row in table_rows(browser, "parameter-table")] == names,
             "the parameter table does not show the chosen circuit")


def test_cancel_stops_a_long_fit_from_inside(browser, tmp_path):
    import pandas as pd

    notation = "R0-p(R1,CPE1)-p(R2,CPE2)-p(R3,CPE3)"
    frequencies = np.geomspace(1e5, 1e-2, 30_000)
    truth = corvex.Circuit(notation).with_values([0.1, 0.5, 1e-3, 0.9, 1.0, 1e-1, 0.8, 2.0, 1.0, 0.9])
    impedances = truth.impedance(frequencies) * (1 + np.random.default_rng(1).normal(scale=1e-3, size=frequencies.size))
    path = tmp_path / "long.csv"
    pd.DataFrame({"Frequency / Hz": frequencies, "Real Impedance / ohm": impedances.real,
                  "Imaginary Impedance / ohm": impedances.imag}).to_csv(path, index=False)
    fresh_page(browser)
    upload(browser, "upload", path)
    wait_for(browser, lambda: table_rows(browser, "spectra-table"), "the long spectrum was not listed")
    circuit = browser.find_element(By.ID, "circuit")
    circuit.clear()
    circuit.send_keys(notation, Keys.ENTER)
    wait_for(browser, lambda: len(table_rows(browser, "parameter-table")) == 10, "the circuit was not taken")
    click(browser, "fit-selected")
    wait_for(browser, lambda: status(browser).startswith("fitting 1 spectrum"), "the fit did not start")
    click(browser, "cancel")
    # Uncancelled, this one fit runs for minutes: the message can only come from inside it.
    wait_for(browser, lambda: "cancelled" in status(browser), "the fit was not cancelled")
    assert "no fit had finished" in status(browser) and not shown_parameters(browser)


def test_a_spreadsheet_bomb_is_refused_and_the_next_upload_is_read(browser, tmp_path):
    fresh_page(browser)
    upload(browser, "upload", hostile_files.repeated_columns_ods(tmp_path / "bomb.ods"))
    errors = lambda: browser.find_element(By.ID, "load-errors").text  # noqa: E731
    wait_for(browser, lambda: "bomb.ods" in errors(), "no message for the bomb")
    assert "fills cells past column 16,384" in errors()
    upload(browser, "upload", BIOLOGIC)
    wait_for(browser, lambda: [row["spectrum"] for row in table_rows(browser, "spectra-table")] == [BIOLOGIC.name],
             "the upload after the bomb was not read")
