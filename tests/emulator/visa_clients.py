"""Drives tarvex-emulator on 127.0.0.1 with pyvisa's pure Python backend, as an operator's script would:
over the raw socket and over VXI-11 (the portmapper on port 111 gives the core channel's port).
Run by visa-clients.sh, inside its private network namespace, with Debian's /usr/bin/python3."""

import sys
import time

import pyvisa

RESOURCES = ("TCPIP::127.0.0.1::5025::SOCKET", "TCPIP::127.0.0.1::inst0::INSTR")
NO_ERROR = '+0,"No error"'
failures = []


def expect(resource, what, actual, ok):
    if not ok:
        failures.append(f"{resource}: {what}: got {actual!r}")


def drive(counter, resource):
    identity = counter.query("*IDN?")
    expect(resource, "*IDN?", identity, identity.startswith("Tarvex,Counter,"))

    counter.write("*RST;*CLS")
    counter.write("CONF1:FREQ")
    counter.write("INIT1")
    reading = counter.query("FETC1?")
    try:
        value = float(reading)
    except ValueError:
        value = 0.0
    # The simulated signal on channel 1 is 10 MHz with a little noise.
    expect(resource, "FETC1? after CONF1:FREQ and INIT1", reading, abs(value - 1e7) < 1e3)

    counter.write("SENS1:BOGUS 1")
    error = counter.query("SYST:ERR?")
    expect(resource, "SYST:ERR? after an unknown header", error, error == '-113,"Undefined header"')
    error = counter.query("SYST:ERR?")
    expect(resource, "SYST:ERR? with the queue read", error, error == NO_ERROR)

    # An answer left unread, then a device clear: the next query gets its own answer, and over VXI-11 the
    # dropped answer is no interrupted query.
    counter.write("INIT1")
    counter.write("FETC1?")
    time.sleep(0.3)
    counter.clear()
    identity = counter.query("*IDN?")
    expect(resource, "*IDN? after a device clear", identity, identity.startswith("Tarvex,Counter,"))
    error = counter.query("SYST:ERR?")
    expect(resource, "SYST:ERR? after a device clear", error, error == NO_ERROR)


def clear_aborts_waiting_fetch(counter, resource):
    # A 20 s gate: the fetch waits, the device clear drops it and aborts the measurement at once.
    counter.write("*RST;*CLS;:SENS1:FREQ:APER 20;:CONF1:FREQ;:INIT1")
    condition = counter.query("STAT:OPER:COND?")
    expect(resource, "STAT:OPER:COND? while the gate is open", condition, condition == "+64")
    counter.write("FETC1?")
    time.sleep(0.2)
    started = time.monotonic()
    counter.clear()
    identity = counter.query("*IDN?")
    expect(resource, "*IDN? after clearing a waiting fetch", identity, identity.startswith("Tarvex,Counter,"))
    condition = counter.query("STAT:OPER:COND?")
    expect(resource, "STAT:OPER:COND? after the device clear", condition, condition == "+0")
    elapsed = time.monotonic() - started
    expect(resource, "seconds from the device clear to the answers", elapsed, elapsed < 2)
    counter.write("*RST")


def main():
    manager = pyvisa.ResourceManager("@py")
    for resource in RESOURCES:
        try:
            counter = manager.open_resource(resource, read_termination="\n", write_termination="\n",
                                            timeout=5000)
        except pyvisa.Error as error:
            failures.append(f"{resource}: cannot open: {error}")
            continue
        try:
            drive(counter, resource)
            if resource.endswith("::INSTR"):
                clear_aborts_waiting_fetch(counter, resource)
        except pyvisa.Error as error:
            failures.append(f"{resource}: {error}")
        finally:
            counter.close()
    manager.close()
    for failure in failures:
        print(f"visa_clients.py: {failure}", file=sys.stderr)
    if not failures:
        print(f"visa_clients.py: pyvisa {pyvisa.__version__} with pyvisa-py drove the counter over",
              ", ".join(RESOURCES))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
