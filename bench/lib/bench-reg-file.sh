# Sourced by the .reg benchmarks: make_bench_reg <values> <out.reg> writes a
# version-5 file (UTF-16LE) of about <values> values of every kind, with
# key deletions, continued hex lists and %InstallDir%.
make_bench_reg() {
  local values="$1" out="$2"
awk -v values="$values" '
# The UTF-16LE hex list of an ASCII text and its terminating NUL.
function utf16(text,   out, i) {
  out = ""
  for (i = 1; i <= length(text); i++) out = out sprintf("%02x,00,", ord[substr(text, i, 1)])
  return out "00,00"
}
BEGIN {
  for (i = 32; i < 127; i++) ord[sprintf("%c", i)] = i
  printf "Windows Registry Editor Version 5.00\r\n\r\n"
  for (v = 0; v < values; v++) {
    if (v % 25 == 0) {
      if (v % 1000 == 0) printf "[-HKEY_CURRENT_USER\\Software\\Bench\\Old%d]\r\n\r\n", v
      printf "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Bench\\Spiel %d\\Einstellungen]\r\n", v / 25
    }
    k = v % 8
    if (k == 0) printf "@=\"Spiel %d\"\r\n", v
    else if (k == 1) printf "\"Path%d\"=\"%%InstallDir%%\\\\data\\\\level%d\\\\textures.pak\"\r\n", v, v
    else if (k == 2) printf "\"Count%d\"=dword:%08x\r\n", v, v
    else if (k == 3) {
      printf "\"Blob%d\"=hex:", v
      for (b = 0; b < 48; b++) printf "%02x%s", (v + b) % 256, b == 47 ? "\r\n" : (b % 20 == 19 ? ",\\\r\n  " : ",")
    }
    else if (k == 4) printf "\"Expand%d\"=hex(2):%s\r\n", v, utf16("%InstallDir%\\bin;%SystemRoot%")
    else if (k == 5) printf "\"Multi%d\"=hex(7):%s,%s,00,00\r\n", v, utf16("first"), utf16("second %InstallDir%")
    else if (k == 6) printf "\"Big%d\"=hex(b):%02x,00,00,00,00,00,00,01\r\n", v, v % 256
    else printf "\"Gone%d\"=-\r\n", v
  }
}' > "$out.txt"
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$out.txt"; } > "$out"
  rm -f "$out.txt"
}
