#!/bin/sh
# event_log_trace.sh WIN_TESTS: the records the program writes, as Wine's event log takes them.
# Wine keeps no log to read back (ReadEventLogW finds nothing), but its advapi32 traces every
# RegisterEventSourceW and ReportEventW call and each text of a record. This runs the test
# that writes through the real calls with that trace on and checks what Wine was handed: the
# source, each record's kind (0x0002 warning, 0x0004 information), id and number of texts,
# and the texts themselves.
set -eu
run="$(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh"
out=$(WINEDEBUG="fixme+advapi,warn+eventlog" "$run" "$1" \
      --gtest_filter=EventLogWin32.WritesThroughTheRealEventLog 2>&1) || {
  echo "$out"
  echo "FAILED: the test itself"
  exit 1
}
# The calls without Wine's thread numbers and pointers.
calls=$(echo "$out" | sed -n 's/^[0-9a-f]*:\(fixme:advapi:\|warn:eventlog:\)//p' |
        sed 's/^\(ReportEventW (\)[0-9A-Fa-f]*,/\1/; s/,[0-9A-Fa-f]\{8,16\},[0-9A-Fa-f]\{8,16\}): stub$//; s/,[0-9A-Fa-f]\{8,16\},/,/')
want='RegisterEventSourceW ((null),L"QuenmarkEventTest"): stub
ReportEventW (0x0002,0x0000,0x00000078,0x0003,0x00000000
ReportEventW L"Event test"
ReportEventW L"Shut Down"
ReportEventW L"2025-03-05 15:30"
ReportEventW (0x0004,0x0000,0x00000002,0x0000,0x00000000'
got=$(echo "$calls" | grep -E '^(RegisterEventSourceW|ReportEventW)')
if [ "$got" != "$want" ]; then
  echo "$out"
  printf 'FAILED: Wine was handed\n%s\ninstead of\n%s\n' "$got" "$want"
  exit 1
fi
echo "$got"
echo "event log calls as expected"
