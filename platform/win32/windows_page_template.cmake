# Makes a template page of the Windows program from the shipped one. Pages on
# Windows are written in the ANSI code page (windows-1252 in Western Europe), so
# a header that declares UTF-8 would garble every accented name: the Windows
# copy declares windows-1252. Every line ends in CR LF, as in the shipped file
# (file(READ) hands the text over with bare line feeds).
#   cmake -DSOURCE=<shipped file> -DDESTINATION=<Windows copy> -P windows_page_template.cmake
file(READ "${SOURCE}" text)
string(REPLACE "<meta charset=\"utf-8\">" "<meta charset=\"windows-1252\">" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${DESTINATION}" "${text}")
