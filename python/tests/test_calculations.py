import math
import threading

import pytest

import tavro


def test_calculate_gives_the_record_as_the_json_entry_does(winter):
    fields = tavro.calculate(**winter)
    assert fields["Status"] == 0
    assert fields["Temp11"] == -12.0
    assert 40 < fields["Eta1Wet"] < 80
    assert fields["HClass"].startswith("H")
    raw = tavro.run_json({"command": "record", "args": dict(winter, classify=1)})
    assert raw == fields
    # Without the classification the energy class stays empty.
    assert tavro.calculate(classify=False, **winter)["HClassNo"] == 0


def test_record_handle_matches_calculate(winter):
    with tavro.Record(**winter) as record:
        record.calculate()
        assert record.get("Eta1Wet") == tavro.calculate(**winter)["Eta1Wet"]
        assert record.get("HClass") == tavro.calculate(**winter)["HClass"]
        assert record.fields()["Edge"] == 600
        cells = record.cells(language="de", separators=",")
        assert {"inlet", "velocity", "outlet", "process"} <= cells.keys()
    with pytest.raises(tavro.TavroError) as e:
        record.get("Temp11")
    assert e.value.status == "bad_argument"


@pytest.mark.parametrize(
    "change, code, status, text",
    [
        ({"Temp1": 3}, 2, "unknown_field", "Temp1"),
        ({"SVol11": -5}, 1, "bad_argument", "SVol11"),
        ({"Temp11": math.nan}, 1, "bad_argument", "finite"),
        ({"Temp11": math.inf}, 1, "bad_argument", "finite"),
        ({"Temp11": [1, 2]}, 1, "bad_argument", "Temp11"),
        ({"Temp11": "warm"}, 1, "bad_argument", "Temp11"),
    ],
)
def test_bad_inputs_raise_with_code_and_message(winter, change, code, status, text):
    with pytest.raises(tavro.TavroError) as e:
        tavro.calculate(**dict(winter, **change))
    assert e.value.code == code
    assert e.value.status == status
    assert text in e.value.message
    assert status in str(e.value)


def test_a_failed_calculation_carries_what_it_computed(winter):
    with pytest.raises(tavro.TavroError) as e:
        tavro.calculate(**dict(winter, Temp11=150))
    assert e.value.status == "calculation_fault"
    assert e.value.result is not None and e.value.result["Status"] != 0
    with tavro.Record(**dict(winter, Temp11=150)) as record:
        with pytest.raises(tavro.TavroError) as e:
            record.calculate()
        assert e.value.code == 4
        assert record.get("Status") != 0


def test_check_messages_classes_and_language(winter):
    assert tavro.check(frost=False, **winter)["messages"] == []
    # -12 °C outside air lies below this exchanger's frost limit.
    frost = tavro.check(**winter)["messages"]
    assert [(m["number"], m["class"]) for m in frost] == [(40, "warning")]
    result = tavro.check(language="de", **dict(winter, Temp11=-45, SVol11=5000))
    numbers = [m["number"] for m in result["messages"]]
    assert 1 in numbers
    assert result["error"] is True
    first = result["messages"][0]
    assert first["class"] == "error" and first["text"].startswith("Die Temperatur")
    with pytest.raises(tavro.TavroError) as e:
        tavro.check(design=15, **winter)
    assert e.value.status == "bad_argument"
    with pytest.raises(tavro.TavroError) as e:
        tavro.check(language="xx", **winter)
    assert e.value.status == "unknown_name"


def test_sizes_gives_rows_meeting_the_criteria(winter):
    inputs = {k: v for k, v in winter.items() if k not in ("Edge", "Width", "PType")}
    rows = tavro.sizes(min_eta=60, max_dp=200, **inputs)
    assert rows and isinstance(rows, list)
    for row in rows:
        assert row["Eta1Wet"] >= 60 and row["DpMax"] <= 200
    assert tavro.sizes(min_eta=60, max_dp=200, design=20, units=2, **inputs) != rows
    with pytest.raises(tavro.TavroError) as e:
        tavro.sizes(min_eta=120, max_dp=200, **inputs)
    assert e.value.status == "bad_argument"


def test_frost(winter):
    result = tavro.frost(**dict(winter, Temp11=-15))
    assert result["hasLimit"] is True
    assert result["limit"] < 0
    assert 0 <= result["frostShare"] <= 1


def test_threads_each_with_their_own_record(winter):
    expected = [tavro.calculate(**dict(winter, Temp11=t))["Eta1Wet"] for t in range(-20, 0, 4)]
    mismatches = []

    def work():
        for _ in range(20):
            for i, t in enumerate(range(-20, 0, 4)):
                with tavro.Record(**dict(winter, Temp11=t)) as r:
                    r.calculate()
                    if r.get("Eta1Wet") != expected[i]:
                        mismatches.append(t)

    threads = [threading.Thread(target=work) for _ in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert mismatches == []
