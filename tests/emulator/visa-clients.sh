#!/usr/bin/env bash
# Drives tarvex-emulator with clients written elsewhere: pyvisa-py (visa_clients.py) and lxi scpi, each over
# the raw socket and over VXI-11; then ends the emulator by SIGTERM and reads its command log.
# It runs in private network and mount namespaces of its own: there the emulator serves the portmapper on
# port 111 of a loopback that nothing else sees, and a tmpfs over /run hides the machine's rpcbind socket,
# so no RPC call can reach the machine's rpcbind either.
#   tests/emulator/visa-clients.sh EMULATOR
set -euo pipefail

if [ "${1:-}" != --in-private-network ]; then
  exec unshare -rnm -- "$0" --in-private-network "$@"
fi
shift
emulator=${1:?usage: tests/emulator/visa-clients.sh EMULATOR}
here=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "visa-clients.sh: $*" >&2
  exit 1
}

ip link set lo up
[ "$(ip -o link show | awk -F': ' '{ print $2 }')" = lo ] || fail "the network namespace has more than loopback"
mount -t tmpfs tmpfs /run

scratch=$(mktemp -d)
emulator_pid=
cleanup() {
  if [ -n "$emulator_pid" ] && kill -0 "$emulator_pid" 2>/dev/null; then
    kill -KILL "$emulator_pid" 2>/dev/null || true
    wait "$emulator_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE

"$emulator" --command-log "$scratch/commands.log" 2>"$scratch/emulator.log" &
emulator_pid=$!
# The portmapper's line comes after those of the raw socket and of VXI-11: then every service listens.
ready="tarvex-emulator: portmapper on 127.0.0.1:111 (TCP and UDP)"
for _ in $(seq 50); do
  grep -qxF "$ready" "$scratch/emulator.log" && break
  kill -0 "$emulator_pid" 2>/dev/null || break
  sleep 0.1
done
grep -qxF "$ready" "$scratch/emulator.log" || { cat "$scratch/emulator.log" >&2; fail "the emulator did not start all its services"; }

timeout 60 /usr/bin/python3 "$here/visa_clients.py" || fail "pyvisa-py could not drive the emulator"

for transport in --raw ""; do
  answer=$(timeout 20 lxi scpi $transport -a 127.0.0.1 '*IDN?' 2>&1) || true
  [[ "$answer" == Tarvex,Counter,* ]] || fail "lxi scpi ${transport:-(VXI-11)} answered: $answer"
done
echo "visa-clients.sh: lxi scpi got *IDN? over the raw socket and over VXI-11"

kill -TERM "$emulator_pid"
for _ in $(seq 50); do
  kill -0 "$emulator_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$emulator_pid" 2>/dev/null && fail "the emulator did not end within 5 s of SIGTERM"
status=0
wait "$emulator_pid" || status=$?
emulator_pid=
[ "$status" -eq 0 ] || { cat "$scratch/emulator.log" >&2; fail "the emulator ended with status $status on SIGTERM"; }

# Each message pyvisa sent came in on both of its links, and *IDN? also on lxi's two.
links_with() {
  awk -v message="$1" '{ link = $1; sub(/^[^ ]* /, "") } $0 == message { links[link] = 1 }
    END { n = 0; for (l in links) n++; print n }' "$scratch/commands.log"
}
for message in '*RST;*CLS' CONF1:FREQ INIT1 'FETC1?' 'SENS1:BOGUS 1' 'SYST:ERR?'; do
  [ "$(links_with "$message")" -ge 2 ] || { cat "$scratch/commands.log" >&2; fail "the command log lacks '$message' from both links"; }
done
[ "$(links_with '*IDN?')" -ge 4 ] || { cat "$scratch/commands.log" >&2; fail "the command log lacks *IDN? from four links"; }
echo "visa-clients.sh: the emulator ended with status 0 on SIGTERM; its command log holds $(wc -l <"$scratch/commands.log") messages"
