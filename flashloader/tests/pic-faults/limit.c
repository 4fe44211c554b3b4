const int limit = 4;
