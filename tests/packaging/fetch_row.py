"""Asks a statistics service for one player season, the way the client asks, and checks the row
against the raw data: fetch_row.py PORT RAW_FOLDER PLAYER SEASON_END_YEAR"""
import csv
import socket
import sys

port, raw, player, season = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
year_text = "%02d%02d" % ((int(season) - 1) % 100, int(season) % 100)

with open(raw + "/contract-prediction-2020/Player Totals.csv", encoding="utf-8-sig", newline="") as f:
    rows = [r for r in csv.DictReader(f) if r["player"] == player and r["season"] == season]
if len(rows) != 1:
    sys.exit("raw data: %d rows for %s %s" % (len(rows), player, season))
raw_row = rows[0]

body = ("0!1!300!\r\nA%s\r\nC%s\r\n*\r\n\x1a" % (player, year_text)).encode("latin-1")
request = (b"POST /cgi-bin/getbplayer-1.exe HTTP/1.0\r\nHost: 127.0.0.1\r\n"
           b"Content-Type: application/x-www-form-urlencoded\r\nContent-Length: %d\r\n\r\n" % len(body)) + body
with socket.create_connection(("127.0.0.1", port), timeout=30) as connection:
    connection.sendall(request)
    reply = b""
    while chunk := connection.recv(65536):
        reply += chunk
head, _, text = reply.partition(b"\r\n\r\n")
if not head.startswith(b"HTTP/1.") or head[9:12] != b"200":
    sys.exit("service answered: %r" % head[:200])
lines = text.decode("latin-1").split("\r\n")
# The total row count, then one block of fields per row: name, league, code, team, year, height,
# games, minutes, ...
checks = [("total rows", lines[0], "1"), ("name", lines[1], player), ("year", lines[5], year_text),
          ("games", lines[7], raw_row["g"]), ("minutes", lines[8], raw_row["mp"])]
failed = [c for c in checks if c[1] != c[2]]
if raw_row["pts"] not in lines[1:77]:
    failed.append(("points", "not in the row", raw_row["pts"]))
for name, got, wanted in failed:
    print("%s: got %r, the raw data say %r" % (name, got, wanted), file=sys.stderr)
if failed:
    sys.exit(1)
print("%s %s: %s games, %s minutes, %s points" % (player, year_text, raw_row["g"], raw_row["mp"], raw_row["pts"]))
