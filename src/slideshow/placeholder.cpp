// Logic of the slide show lives beside this file.
