// Shared test helpers are compiled into balancer_test_support.
