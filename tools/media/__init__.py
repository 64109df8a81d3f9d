"""The program's media, drawn and encoded here with the Python standard library only."""
