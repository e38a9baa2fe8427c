/* Program end of the 78K/III C library (Tarnel demo set). */
#ifndef STDLIB_H
#define STDLIB_H

void exit(int status);
void abort(void);

#endif
