"""Reads back a workbook of the spreadsheet export as JSON, for the tests.

Cells come from openpyxl; the chart, which openpyxl does not read, from its XML.
"""
import json
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl

C = "{http://schemas.openxmlformats.org/drawingml/2006/chart}"
A = "{http://schemas.openxmlformats.org/drawingml/2006/main}"


def cells(sheet):
    out = {}
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None and cell.number_format == "General":
                continue
            out[cell.coordinate] = {
                "value": cell.value,
                "type": type(cell.value).__name__,
                "format": cell.number_format,
                "font": [cell.font.name, bool(cell.font.b), float(cell.font.sz or 0)],
            }
    return out


def columns(sheet):
    return {
        letter: {"width": dim.width, "hidden": bool(dim.hidden)}
        for letter, dim in sheet.column_dimensions.items()
    }


def text_of(element):
    return "".join(t.text or "" for t in element.iter(A + "t")) if element is not None else None


def chart(path):
    with zipfile.ZipFile(path) as z:
        names = [n for n in z.namelist() if n.startswith("xl/charts/chart")]
        if not names:
            return None
        root = ET.fromstring(z.read(names[0]))
    series = []
    for ser in root.iter(C + "ser"):
        sp = ser.find(C + "spPr")
        ln = sp.find(A + "ln") if sp is not None else None
        colour = ln.find(".//" + A + "srgbClr") if ln is not None else None
        dash = ln.find(A + "prstDash") if ln is not None else None
        marker = ser.find(C + "marker/" + C + "symbol")
        name = ser.find(C + "tx/" + C + "v")
        values = ser.find(C + "val/" + C + "numRef/" + C + "f")
        cache = ser.findall(C + "val/" + C + "numRef/" + C + "numCache/" + C + "pt")
        series.append({
            "name": name.text if name is not None else None,
            "colour": colour.get("val") if colour is not None else None,
            "dash": dash.get("val") if dash is not None else None,
            "compound": ln.get("cmpd") if ln is not None else None,
            "marker": marker.get("val") if marker is not None else None,
            "values": values.text if values is not None else None,
            "points": len(cache),
        })
    plot = root.find(".//" + C + "plotArea")
    axes = [text_of(ax.find(C + "title")) for ax in plot if ax.tag in (C + "catAx", C + "valAx")]
    legend = root.find(".//" + C + "legend/" + C + "legendPos")
    plot_fill = plot.find(C + "spPr//" + A + "srgbClr")
    visible_only = root.find(".//" + C + "plotVisOnly")
    return {
        "type": [child.tag.replace(C, "") for child in plot if child.tag.endswith("Chart")],
        "title": text_of(root.find(".//" + C + "chart/" + C + "title")),
        "axes": axes,
        "legend": legend.get("val") if legend is not None else None,
        "plotFill": plot_fill.get("val") if plot_fill is not None else None,
        "plotVisibleOnly": visible_only.get("val") if visible_only is not None else None,
        "chartAreaNoFill": root.find(C + "spPr/" + A + "noFill") is not None,
        "series": series,
    }


def main(path):
    book = openpyxl.load_workbook(path)
    sheet = book.worksheets[0]
    json.dump({
        "sheets": book.sheetnames,
        "chartsheets": [c.title for c in book.chartsheets],
        "active": book.active.title,
        "cells": cells(sheet),
        "columns": columns(sheet),
        "chart": chart(path),
    }, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
