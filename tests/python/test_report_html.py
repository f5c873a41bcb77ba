"""The report to hand on as HTML: from Result.to_html and vortane-calc --html."""
import math
import re
import subprocess
import xml.etree.ElementTree as ET
from html.parser import HTMLParser

import vortane
from test_vortane import CALC


class Page(HTMLParser):
    """Checks that every element is closed in order, and collects the caption
    and value rows, the attributes used and the elements met."""

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.open, self.rows, self.attributes, self.tags = [], {}, set(), set()
        self.cells, self.cell = None, None
        self.feed(text)
        self.close()
        assert self.open == [], f"not closed: {self.open}"

    def handle_starttag(self, tag, attrs):
        self.open.append(tag)
        self.tags.add(tag)
        self.attributes.update(name for name, _ in attrs)
        if tag == "tr":
            self.cells = []
        elif tag in ("th", "td") and self.cells is not None:
            self.cell = ""

    def handle_startendtag(self, tag, attrs):
        self.tags.add(tag)
        self.attributes.update(name for name, _ in attrs)

    def handle_endtag(self, tag):
        assert self.open and self.open[-1] == tag, f"</{tag}> closes {self.open[-1:]}"
        self.open.pop()
        if tag in ("th", "td") and self.cell is not None:
            self.cells.append(self.cell)
            self.cell = None
        elif tag == "tr":
            if len(self.cells) >= 2:
                self.rows[self.cells[0]] = self.cells[1]
            self.cells = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def check_self_contained(text):
    page = Page(text)
    ET.fromstring(text)  # every element closed: the page, and its SVG, read as XML
    assert not {"src", "href", "xlink:href"} & page.attributes
    assert not {"script", "link", "iframe", "img", "object"} & page.tags
    assert not re.search(r"https?:|url\(|@import", text)
    return page


def shown_as(text, value):
    """Whether `text` is `value` rounded to the decimals it shows."""
    decimals = len(text.split(".")[1]) if "." in text else 0
    return math.isclose(float(text), value, abs_tol=0.5 * 10 ** -decimals + 1e-12)


def test_the_default_case_page_holds_the_runs_values():
    result = vortane.run()
    page = check_self_contained(result.to_html())
    assert "svg" in page.tags
    rows = page.rows
    for caption, name in [("Output (kg/hr)", "OutputRate"),
                          ("Channel Width (cm)", "ChannelWidth"),
                          ("Total Pressure Drop (kgf/cm2)", "TotalPressureDrop"),
                          ("Power Consumption at Mix. Part (kW)", "PowerKW"),
                          ("Temperature Difference (℃)", "TemperatureRise")]:
        assert shown_as(rows[caption], result.fields[name]), caption
    for caption, name in [("Specific Energy Input (kWh/kg)", "SpecificEnergy"),
                          ("Mean Residence Time (s)", "ResidenceTime")]:
        assert shown_as(rows[caption], result.indicators[name]), caption
    assert rows["Program"] == "Vortane " + vortane.__version__
    assert rows["Passes of the temperature iteration (-)"] == str(result.passes)
    assert result._repr_html_().startswith("<!DOCTYPE html>")


def without_date(text):
    return re.sub(r"Date and time</th><td class=\"value\">[^<]*", "", text)


def test_vortane_calc_writes_the_same_page(tmp_path):
    subprocess.run([CALC, "--decimal-separator", ".", "--html", "r.html", "OutputRate=30"],
                   cwd=tmp_path, check=True, stderr=subprocess.DEVNULL)
    written = (tmp_path / "r.html").read_bytes().decode("utf-8")  # strict UTF-8
    assert without_date(written) == without_date(vortane.run(OutputRate=30).to_html())
    rows = check_self_contained(written).rows
    assert rows["Output (kg/hr)"] == "30"  # as given, not as the report rounds it


def test_a_stopped_runs_page_says_what_stopped_it(tmp_path):
    low = vortane.run(InletPressure=21)
    rows = check_self_contained(low.to_html()).rows
    assert rows["Message"] == "Assumed inlet pressure is too low!"
    assert rows["Why"] == low.detail
    status = subprocess.run([CALC, "--html", "low.html", "InletPressure=21"], cwd=tmp_path,
                            stderr=subprocess.DEVNULL).returncode
    assert status == 1
    assert Page((tmp_path / "low.html").read_text(encoding="utf-8")).rows["Why"] == low.detail


def test_a_sweeps_page_holds_the_csv(tmp_path):
    subprocess.run([CALC, "--sweep", "OutputRate=100:300:100", "--csv", "s.csv", "--html", "s.html"],
                   cwd=tmp_path, check=True, stderr=subprocess.DEVNULL)
    text = (tmp_path / "s.html").read_text(encoding="utf-8")
    check_self_contained(text)
    csv_lines = (tmp_path / "s.csv").read_text(encoding="utf-8").splitlines()
    for line in csv_lines[1:]:
        cells = "".join(f"<td>{cell}</td>" for cell in line.split(","))
        assert f"<tr>{cells}</tr>" in text


def test_pages_in_si_and_us_show_the_values_converted(tmp_path):
    result = vortane.run()
    drop, rise = result.fields["TotalPressureDrop"], result.fields["TemperatureRise"]
    si = check_self_contained(result.to_html(units="si")).rows
    assert math.isclose(float(si["Total Pressure Drop (MPa)"]), drop * 0.0980665, rel_tol=1e-6)
    assert math.isclose(float(si["Temperature Difference (K)"]), rise, rel_tol=1e-6)
    us = check_self_contained(result.to_html(units="us")).rows
    assert math.isclose(float(us["Output (lb/hr)"]), 267 / 0.45359237, rel_tol=1e-6)
    assert math.isclose(float(us["Temperature Difference (°F)"]), rise * 1.8, rel_tol=1e-6)
    assert us["Number of Revolution (rpm)"] == "80.0"  # the default text as typed
    subprocess.run([CALC, "--decimal-separator", ".", "--units", "us", "--html", "us.html"],
                   cwd=tmp_path, check=True, stderr=subprocess.DEVNULL)
    written = (tmp_path / "us.html").read_text(encoding="utf-8")
    assert without_date(written) == without_date(result.to_html(units="us"))


def test_a_page_with_limits_is_the_same_from_python_and_vortane_calc(tmp_path):
    case = tmp_path / "c.vcase"
    case.write_text("OutputRate = 350\nLimit = TemperatureRise<=30\n"
                    "Limit = Barrier1ShearStress>=135\nLimit = TotalPressureDrop<=30\n")
    status = subprocess.run([CALC, "--decimal-separator", ".", "--case", str(case), "--html", "r.html",
                             "--accept-warning", "negative-pressure"],
                            cwd=tmp_path, stderr=subprocess.DEVNULL).returncode
    assert status == 4
    written = (tmp_path / "r.html").read_text(encoding="utf-8")
    result = vortane.run(case=case, accept_warnings=["negative-pressure"])
    assert without_date(written) == without_date(result.to_html())
    page = check_self_contained(written)
    assert page.rows["Accepted warnings"] == "negative-pressure"
    # The page names each limit by caption, in the case's order.
    rows = re.findall("<th scope=\"row\">([^<]+ [≤≥] [^<]+)</th><td class=\"value\">([^ <]+) [^<]*</td>"
                      "<td class=\"value\">margin ([^ <]+) [^<]*</td><td class=\"value\">([a-z ]+)</td>", written)
    assert [row[0] for row in rows] == ["Temperature Difference (℃) ≤ 30", "Shear Stress over Barrier Flight 1 (kPa) ≥ 135",
                                        "Total Pressure Drop (kgf/cm2) ≤ 30"]
    for (_, _, shown, met), margin in zip(rows, result.margins.values()):
        assert math.isclose(float(shown), margin, rel_tol=1e-6)
        assert met == ("met" if margin >= 0 else "not met")
    assert result.failed_limits == ["TotalPressureDrop<=30"]
    assert "<li>Not feasible: Total Pressure Drop (kgf/cm2) ≤ 30 (85.87159)</li>" in written
