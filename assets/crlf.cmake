# cmake -DIN=file -DOUT=file -P crlf.cmake: copies a text file with CRLF line endings.
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
