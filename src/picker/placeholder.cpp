// The file picker lives beside this file.
