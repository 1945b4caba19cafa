# Sourced by the batch benchmarks: make_batch_files FOLDER writes the 1000 SubRip files of 200
# subtitles each (film0001.srt ...) that every batch benchmark converts.
make_batch_files() {
  awk -v dir="$1" 'BEGIN {
    for (f = 1; f <= 1000; f++) {
      file = sprintf("%s/film%04d.srt", dir, f);
      for (i = 1; i <= 200; i++) {
        s = i * 3; e = s + 2;
        printf "%d\r\n%02d:%02d:%02d,%03d --> %02d:%02d:%02d,500\r\n", i, s/3600, (s/60)%60, s%60, (i*37)%1000, e/3600, (e/60)%60, e%60 > file;
        printf "Subtitle %d of file %d\r\nand a second line\r\n\r\n", i, f > file;
      }
      close(file);
    } }'
}
